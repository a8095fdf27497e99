// Build-time tool: writes the program icon's PNG files out as C++ arrays of
// ARGB32 pixels, so that the window sets its icon without decoding a PNG and
// without Qt looking through its image-format and icon-engine plugins first.
//
//   orsela-icon-pixels OUT.cpp ICON.png...
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: orsela-icon-pixels OUT.cpp ICON.png...\n");
        return 2;
    }
    QString arrays;
    QString table;
    QTextStream out(&arrays);
    QTextStream rows(&table);
    for (int index = 2; index < argc; ++index) {
        const QImage image =
            QImage(QString::fromLocal8Bit(argv[index])).convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) {
            std::fprintf(stderr, "orsela-icon-pixels: cannot read %s\n", argv[index]);
            return 1;
        }
        out << "const std::uint32_t kPixels" << index << "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                out << ((x % 8 == 0) ? "\n    " : " ") << "0x"
                    << QStringLiteral("%1").arg(line[x], 8, 16, QLatin1Char('0')) << "u,";
            }
        }
        out << "\n};\n";
        rows << "    {" << image.width() << ", " << image.height() << ", kPixels" << index
             << "},\n";
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "orsela-icon-pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream cpp(&file);
    cpp << "// Written by orsela-icon-pixels from icons/orsela-*.png: do not edit.\n"
        << "#include \"program_icon_pixels.h\"\n\nnamespace {\n\n"
        << arrays << "\n} // namespace\n\n"
        << "const IconPixels kProgramIconPixels[kProgramIconSizes] = {\n"
        << table << "};\n";
    cpp.flush();
    return file.error() == QFileDevice::NoError ? 0 : 1;
}
