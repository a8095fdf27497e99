#include "form_builder.h"

#include "form_fonts.h"
#include "window_design.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace {

constexpr int kFrameBorder = 2;

// A frame as the design places controls in it: an etched border whose top
// line runs through the middle of the caption, the caption at the top left.
// A frame without a caption keeps the same top line.
class DesignFrame : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(border);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(border.translated(1, 1));
        if (title().isEmpty()) {
            return;
        }
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.fillRect(caption, palette().window());
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
    }
};

// A line edit lays its text out once in the application's font before it
// takes its window's. While the controls are made the application's font is
// the window's, which spares a font engine (and a fontconfig search) for a
// face the window never shows; the message boxes and the save dialog keep the
// application's own. QGuiApplication's setter leaves the fonts the desktop
// gives particular kinds of widget alone, where QApplication's would drop
// them; no widget but the window's own is made meanwhile.
class WindowFontWhileBuilding {
  public:
    explicit WindowFontWhileBuilding(const QFont &windowFont)
        : applicationFont_(QGuiApplication::font()) {
        QGuiApplication::setFont(windowFont);
    }
    ~WindowFontWhileBuilding() { QGuiApplication::setFont(applicationFont_); }
    WindowFontWhileBuilding(const WindowFontWhileBuilding &) = delete;
    WindowFontWhileBuilding &operator=(const WindowFontWhileBuilding &) = delete;

  private:
    QFont applicationFont_;
};

QRect DesignRect(const ControlDesign &design) {
    return {TwipsToPixels(design.left), TwipsToPixels(design.top), TwipsToPixels(design.width),
            TwipsToPixels(design.height)};
}

// A label takes the size of its text. A label that names a field keeps its
// right edge next to the field; a unit or title label keeps its left edge.
// Either stays centred on the row it was designed for.
void PlaceLabel(QLabel *label, const ControlDesign &design) {
    const QRect rect = DesignRect(design);
    const QSize text = label->sizeHint();
    const int top = rect.center().y() - (text.height() - 1) / 2;
    const bool namesField = design.kind == ControlKind::Label && design.container != nullptr;
    const int left = namesField ? rect.right() + 1 - text.width() : rect.left();
    label->setAlignment((namesField ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    label->setGeometry(left, top, text.width(), text.height());
    // A unit that is wider in this face than in the designed one (whose
    // Latin letters are half as wide as a Chinese character) keeps the face
    // and its size, with narrower letters, so that it fits between its field
    // and the frame's edge.
    const int available = label->parentWidget()->width() - kFrameBorder - left;
    if (namesField || label->sizeHint().width() <= available) {
        return;
    }
    // The stretch, in steps of 5 from 95 down to 50, at which the width in
    // proportion to the stretch fits, or the next narrower one that does
    // fit: each stretch tried costs a font engine of its own, so the first
    // try is the one that should fit.
    constexpr int kWidest = 95;
    constexpr int kNarrowest = 50;
    constexpr int kStep = 5;
    QFont narrower = label->font();
    int stretch = std::clamp(available * 100 / std::max(text.width(), 1) / kStep * kStep,
                             kNarrowest, kWidest);
    for (;; stretch -= kStep) {
        narrower.setStretch(stretch);
        label->setFont(narrower);
        if (label->sizeHint().width() <= available || stretch == kNarrowest) {
            break;
        }
    }
    label->resize(std::min(label->sizeHint().width(), available), text.height());
}

QWidget *CreateControl(const ControlDesign &design, QWidget *container) {
    const QString text = QString::fromUtf8(design.text);
    switch (design.kind) {
    case ControlKind::Frame:
        return new DesignFrame(text, container);
    case ControlKind::Label:
    case ControlKind::UnitLabel: {
        auto *label = new QLabel(text, container);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::InputField:
    case ControlKind::ResultField: {
        // The text once the field has the window's font: given to the
        // constructor, it would be laid out in the application's font first.
        auto *field = new QLineEdit(container);
        field->setText(text);
        // No length limit: Qt's default of 32767 characters would cut a
        // long paste without a word.
        field->setMaxLength(std::numeric_limits<int>::max());
        field->setReadOnly(design.kind == ControlKind::ResultField);
        field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return field;
    }
    case ControlKind::OptionButton: {
        auto *option = new QRadioButton(text, container);
        option->setChecked(design.selected);
        return option;
    }
    case ControlKind::CommandButton: {
        auto *button = new QPushButton(text, container);
        // A focused button takes Enter itself; elsewhere Enter calculates.
        button->setAutoDefault(true);
        return button;
    }
    }
    return nullptr;
}

} // namespace

void BuildWindowControls(QWidget *window) {
    const WindowFontWhileBuilding windowFont(window->font());
    QHash<QString, QWidget *> containers;
    for (const ControlDesign &design : WindowDesign()) {
        QWidget *container = design.container == nullptr
                                 ? window
                                 : containers.value(QString::fromUtf8(design.container));
        QWidget *control = CreateControl(design, container);
        control->setObjectName(QString::fromUtf8(design.name));
        control->setEnabled(design.enabled);
        if (design.kind == ControlKind::Frame) {
            containers.insert(control->objectName(), control);
        }
        if (auto *label = qobject_cast<QLabel *>(control)) {
            if (design.container == nullptr) { // the title
                label->setFont(TitleFont());
                QPalette palette = label->palette();
                palette.setColor(QPalette::WindowText, kTitleColour);
                label->setPalette(palette);
            }
            PlaceLabel(label, design);
        } else {
            control->setGeometry(DesignRect(design));
        }
    }
}
