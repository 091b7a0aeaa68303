// Converts the program's icon to the formats installers and resource compilers want (PNG for the
// Linux desktop, ICO for Windows). The output format follows the output file's suffix.

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTextStream>

int main(int argc, char* argv[]) {
    // The application object lets the writer find Qt's image-format plugins, ICO among them.
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        err << "usage: orv52-icon-convert <input image> <output image>\n";
        return 2;
    }
    const QImage image(args[1]);
    if (image.isNull()) {
        err << "cannot read " << args[1] << "\n";
        return 1;
    }
    QImageWriter writer(args[2]);
    if (!writer.write(image)) {
        err << "cannot write " << args[2] << ": " << writer.errorString() << "\n";
        // No half-written file for a build to mistake for a result.
        QFile::remove(args[2]);
        return 1;
    }
    return 0;
}
