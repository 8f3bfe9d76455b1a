// Sets the manual's Markdown source as a PDF with Qt's own writer:
//   make-manual <source.md> <output.pdf>
// The output is replaced only once the whole PDF is written.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>

namespace {

constexpr int kResolution = 300;  // dots per inch
constexpr double kMarginMillimetres = 20.0;
constexpr int kBodyPoints = 10;

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-manual <source.md> <output.pdf>\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make-manual: %s\n", qPrintable(source.errorString()));
        return 1;
    }
    QSaveFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "make-manual: %s\n", qPrintable(output.errorString()));
        return 1;
    }
    {
        QPdfWriter writer(&output);
        writer.setTitle(QStringLiteral("Norvane Pro Manual"));
        writer.setCreator(QStringLiteral("Norvane Pro"));
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMillimetres, kMarginMillimetres,
                                                   kMarginMillimetres, kMarginMillimetres),
                                         QPageLayout::Millimeter));
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), kBodyPoints));
        document.setMarkdown(QString::fromUtf8(source.readAll()));
        document.print(&writer);
    }
    if (!output.commit()) {
        std::fprintf(stderr, "make-manual: %s\n", qPrintable(output.errorString()));
        return 1;
    }
    return 0;
}
