#include "SvgBenchArtwork.h"

QByteArray svgBenchArtwork(int shapeCount)
{
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 400 400'>"
                     "<linearGradient id='lg'><stop offset='0' stop-color='#102030'/>"
                     "<stop offset='1' stop-color='#f0e0d0'/></linearGradient>"
                     "<radialGradient id='rg'><stop offset='0' stop-color='white'/>"
                     "<stop offset='1' stop-color='#3060c0'/></radialGradient>";
    for (int i = 0; i < shapeCount; ++i) {
        const QByteArray x = QByteArray::number((i % 20) * 20 + 2);
        const QByteArray y = QByteArray::number((i / 20) * 26 + 2);
        const QByteArray size = QByteArray::number(8 + i % 9);
        const QByteArray fill = i % 7 == 0 ? "url(#lg)"
            : i % 11 == 0
            ? "url(#rg)"
            : "#" + QByteArray::number(0x203040 + i * 4001 % 0xdfdfdf, 16).rightJustified(6, '0');
        const QByteArray stroke = i % 3 == 0 ? " stroke='black' stroke-width='1.5'" : "";
        const QByteArray id = " id='s" + QByteArray::number(i) + "'";
        switch (i % 5) {
        case 0:
            svg += "<rect" + id + " x='" + x + "' y='" + y + "' width='" + size + "' height='"
                + QByteArray::number(6 + i % 13) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        case 1:
            svg += "<circle" + id + " cx='" + x + "' cy='" + y + "' r='"
                + QByteArray::number(3 + i % 7) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        case 2:
            svg += "<ellipse" + id + " cx='" + x + "' cy='" + y + "' rx='" + size + "' ry='"
                + QByteArray::number(2 + i % 5) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        case 3:
            svg += "<polygon" + id + " points='" + x + "," + y + " "
                + QByteArray::number(x.toInt() + 9) + "," + y + " "
                + QByteArray::number(x.toInt() + 4 + i % 4) + ","
                + QByteArray::number(y.toInt() + 12) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        default:
            svg += "<path" + id + " d='M" + x + " " + y + " c 4 -" + QByteArray::number(3 + i % 6)
                + " 10 0 12 " + QByteArray::number(4 + i % 8) + " s -6 6 -12 2 z' fill='" + fill
                + "'" + stroke + "/>";
            break;
        }
    }
    return svg + "</svg>";
}
