#include "app/TBlockDiagram.h"

#include <QByteArray>
#include <QPainter>
#include <QSvgRenderer>

#include <cstddef>
#include <stdexcept>

namespace orvane_resources
{
extern const unsigned char BlockDiagramData[];
extern const std::size_t BlockDiagramSize;
} // namespace orvane_resources

QImage TBlockDiagram::Picture()
{
    const QByteArray svg =
        QByteArray::fromRawData(reinterpret_cast<const char *>(orvane_resources::BlockDiagramData),
                                static_cast<qsizetype>(orvane_resources::BlockDiagramSize));
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        throw std::runtime_error("The block diagram picture cannot be read");
    QImage picture(Width, Height, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(0, 0, Width, Height));
    return picture;
}
