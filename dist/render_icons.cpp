// Renders the program's own picture (the dial gauge of the About box) as the desktop icons of the
// installed program: PNG files of the given sizes and a scalable SVG. The SVG comes from a small
// paint engine that writes every path the picture paints, text included as outlines, so the icon
// needs no font and no SVG module of the toolkit.
//
// Usage: render_icons <output folder> <size>...   writes <size>.png for each size and scalable.svg
#include "shell/program_picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextItem>
#include <QtMath>

#include <cstdio>

namespace {

// The picture is drawn for this size in the About box; icons scale that drawing as a whole, so
// fine strokes keep their proportions at every size.
constexpr int DrawnSize = 129;

QString Number(qreal value) { return QString::number(value, 'f', 2); }

QString SvgPathData(const QPainterPath &path)
{
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo())
            data += QStringLiteral("M%1 %2").arg(Number(e.x), Number(e.y));
        else if (e.isLineTo())
            data += QStringLiteral("L%1 %2").arg(Number(e.x), Number(e.y));
        else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            data += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                        .arg(Number(e.x), Number(e.y), Number(c2.x), Number(c2.y), Number(end.x), Number(end.y));
            i += 2;
        }
    }
    return data;
}

QString SvgColour(const QColor &colour) { return colour.name(QColor::HexRgb); }

class SvgPaintEngine : public QPaintEngine {
public:
    SvgPaintEngine() : QPaintEngine(AllFeatures) {}
    QString body;

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &current) override
    {
        if (current.state() & DirtyPen)
            pen_ = current.pen();
        if (current.state() & DirtyBrush)
            brush_ = current.brush();
        if (current.state() & DirtyTransform)
            transform_ = current.transform();
    }
    void drawPath(const QPainterPath &path) override { Write(path, pen_, brush_); }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode)
            path.closeSubpath();
        Write(path, pen_, mode == PolylineMode ? QBrush() : brush_);
    }
    void drawTextItem(const QPointF &position, const QTextItem &item) override
    {
        QPainterPath path;
        path.addText(position, item.font(), item.text());
        Write(path, QPen(Qt::NoPen), pen_.color());
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

private:
    void Write(const QPainterPath &path, const QPen &pen, const QBrush &brush)
    {
        QString element = QStringLiteral("<path d=\"%1\"").arg(SvgPathData(transform_.map(path)));
        element += brush.style() == Qt::NoBrush ? QStringLiteral(" fill=\"none\"")
                                                : QStringLiteral(" fill=\"%1\"").arg(SvgColour(brush.color()));
        if (path.fillRule() == Qt::OddEvenFill && brush.style() != Qt::NoBrush)
            element += QStringLiteral(" fill-rule=\"evenodd\"");
        if (pen.style() != Qt::NoPen) {
            const qreal scale = qSqrt(qAbs(transform_.determinant()));
            element += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"%3\" stroke-linejoin=\"%4\"")
                           .arg(SvgColour(pen.color()), Number(pen.widthF() * scale),
                                pen.capStyle() == Qt::FlatCap    ? QStringLiteral("butt")
                                : pen.capStyle() == Qt::RoundCap ? QStringLiteral("round")
                                                                 : QStringLiteral("square"),
                                pen.joinStyle() == Qt::RoundJoin   ? QStringLiteral("round")
                                : pen.joinStyle() == Qt::MiterJoin ? QStringLiteral("miter")
                                                                   : QStringLiteral("bevel"));
        }
        body += element + QStringLiteral("/>\n");
    }

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
};

class SvgPicture : public QPaintDevice {
public:
    QPaintEngine *paintEngine() const override { return &engine; }
    mutable SvgPaintEngine engine;

protected:
    int metric(PaintDeviceMetric which) const override
    {
        switch (which) {
        case PdmWidth:
        case PdmHeight:
            return DrawnSize;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 96;   // dots per inch and the like
        }
    }
};

bool WriteFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fputs("usage: render_icons <output folder> <size>...\n", stderr);
        return 2;
    }
    const QString folder = args.at(1);
    for (const QString &sizeText : args.mid(2)) {
        const int size = sizeText.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "render_icons: %s is no size\n", qPrintable(sizeText));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.scale(qreal(size) / DrawnSize, qreal(size) / DrawnSize);
            orv::PaintProgramPicture(painter, DrawnSize);
        }
        if (!image.save(folder + QStringLiteral("/%1.png").arg(size))) {
            std::fprintf(stderr, "render_icons: could not write the %s px icon\n", qPrintable(sizeText));
            return 1;
        }
    }
    SvgPicture svg;
    {
        QPainter painter(&svg);
        orv::PaintProgramPicture(painter, DrawnSize);
    }
    const QByteArray document = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                                               "viewBox=\"0 0 %1 %1\">\n%2</svg>\n")
                                    .arg(DrawnSize)
                                    .arg(svg.engine.body)
                                    .toUtf8();
    if (!WriteFile(folder + QStringLiteral("/scalable.svg"), document)) {
        std::fputs("render_icons: could not write the scalable icon\n", stderr);
        return 1;
    }
    return 0;
}
