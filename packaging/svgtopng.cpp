// svgtopng: renders an SVG picture as a square PNG of a given size, so the
// icon sizes desktops ask for are made from the one drawing at build time.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: svgtopng IN.svg SIZE OUT.png\n", stderr);
        return 2;
    }
    char* pEnd = nullptr;
    const long nSize = std::strtol(argv[2], &pEnd, 10);
    if (*pEnd != '\0' || nSize < 1 || nSize > 1024) {
        std::fprintf(stderr, "svgtopng: SIZE must be 1 to 1024, not '%s'\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svgtopng: cannot read %s\n", argv[1]);
        return 1;
    }
    const int nPixels = static_cast<int>(nSize);
    QImage image(nPixels, nPixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "svgtopng: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
