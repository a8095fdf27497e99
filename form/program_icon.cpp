#include "program_icon.h"

#include "program_icon_pixels.h"

#include <QImage>
#include <QPixmap>

QIcon ProgramIcon() {
    QIcon icon;
    for (const IconPixels &size : kProgramIconPixels) {
        // The image only looks at the constant pixels; the pixmap copies them.
        const QImage image(reinterpret_cast<const uchar *>(size.argb), size.width, size.height,
                           size.width * 4, QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
