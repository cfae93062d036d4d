#include "designreport/reportdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextFrame>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace vt::designreport {

namespace {

constexpr int kDrawingObject = QTextFormat::UserObject + 1;
constexpr int kDrawingIndex = QTextFormat::UserProperty + 1;
constexpr int kPdfDpi = 1200;
constexpr double kBodyPoints = 10;
const QColor kWarningRed(255, 0, 0);

double DotsPerPoint(const QTextDocument* document) {
    const QPaintDevice* device =
        document->documentLayout() ? document->documentLayout()->paintDevice() : nullptr;
    double dpi = 96;
    if (device)
        dpi = device->logicalDpiY();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInchY();
    return dpi / 72.0;
}

// A drawing recorded once in the picture's own units (pixels at its
// resolution), so that the fonts it sets keep their size against the box
// on any device it is played back on.
struct Recorded {
    QPicture picture;
    QSizeF box;
};

Recorded Record(const Drawing& drawing) {
    Recorded recorded;
    QPainter painter(&recorded.picture);
    const double pixelsPerPoint = recorded.picture.logicalDpiY() / 72.0;
    recorded.box = drawing.size * pixelsPerPoint;
    // The picture's bounds are those of the box, whatever is drawn.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(QPointF(0, 0), recorded.box));
    if (drawing.draw)
        drawing.draw(painter, QRectF(QPointF(0, 0), recorded.box));
    painter.end();
    return recorded;
}

void Play(QPainter& painter, const Recorded& recorded, const QRectF& rect) {
    if (recorded.box.isEmpty())
        return;
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / recorded.box.width(), rect.height() / recorded.box.height());
    // A picture plays back scaled from its resolution to the device's.
    if (const QPaintDevice* device = painter.device())
        painter.scale(double(recorded.picture.logicalDpiX()) / device->logicalDpiX(),
                      double(recorded.picture.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(QPointF(0, 0), recorded.picture);
    painter.restore();
}

// Paints the report's drawings where the document holds their objects.
class DrawingObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit DrawingObjects(QObject* parent)
        : QObject(parent) {}

    int add(const Drawing& drawing) {
        drawings_.push_back({drawing, Record(drawing)});
        return static_cast<int>(drawings_.size()) - 1;
    }

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const Entry* entry = of(format);
        if (!entry)
            return {};
        QSizeF size = entry->drawing.size * DotsPerPoint(document);
        const double room = document->textWidth() > 0 ? document->textWidth() * 0.95 : size.width();
        if (size.width() > room)
            size = size * (room / size.width());
        return size;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        if (const Entry* entry = of(format))
            Play(*painter, entry->recorded, rect);
    }

private:
    struct Entry {
        Drawing drawing;
        Recorded recorded;
    };

    const Entry* of(const QTextFormat& format) const {
        const int index = format.intProperty(kDrawingIndex);
        if (index < 0 || index >= static_cast<int>(drawings_.size()))
            return nullptr;
        return &drawings_[static_cast<std::size_t>(index)];
    }

    std::vector<Entry> drawings_;
};

QImage DrawingImage(const Drawing& drawing) {
    constexpr double kPixelsPerPoint = 150.0 / 72.0;
    const QSize pixels = (drawing.size * kPixelsPerPoint).toSize();
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(150.0 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    Play(painter, Record(drawing), QRectF(image.rect()));
    painter.end();
    return image;
}

class Builder {
public:
    Builder(QTextDocument& document, DrawingsAs drawings)
        : document_(document)
        , cursor_(&document)
        , drawingsAs_(drawings) {
        if (drawings == DrawingsAs::Vectors) {
            objects_ = new DrawingObjects(&document);
            document.documentLayout()->registerHandler(kDrawingObject, objects_);
        }
    }

    void title(const ReportFields& fields) {
        QTextCharFormat big;
        big.setFontPointSize(18);
        big.setFontWeight(QFont::Bold);
        const QString title = fields.title.trimmed().isEmpty()
                                  ? QStringLiteral("Pillar design report")
                                  : fields.title;
        firstBlock(title, big, Qt::AlignLeft);
        QTextCharFormat normal;
        normal.setFontPointSize(11);
        if (!fields.project.trimmed().isEmpty())
            paragraph(QStringLiteral("Project: %1").arg(fields.project), normal);
        if (!fields.revision.trimmed().isEmpty())
            paragraph(QStringLiteral("Revision: %1").arg(fields.revision), normal);
    }

    void heading(const QString& text, double points) {
        QTextBlockFormat block;
        block.setTopMargin(points);
        block.setBottomMargin(points / 3);
        block.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        QTextCharFormat chars;
        chars.setFontPointSize(points);
        chars.setFontWeight(QFont::Bold);
        cursor_.insertBlock(block, chars);
        cursor_.insertText(text, chars);
    }

    void block(const Block& b) {
        switch (b.kind) {
        case Block::Kind::Heading:
            heading(b.text, 11);
            break;
        case Block::Kind::Paragraph: {
            QTextCharFormat chars;
            chars.setFontPointSize(kBodyPoints);
            if (b.warning) {
                chars.setForeground(kWarningRed);
                chars.setFontWeight(QFont::Bold);
            }
            paragraph(b.text, chars);
            break;
        }
        case Block::Kind::Table:
            table(b.rows, b.widths);
            break;
        case Block::Kind::Drawing:
            drawing(b.drawing);
            break;
        }
    }

private:
    void firstBlock(const QString& text, const QTextCharFormat& chars, Qt::Alignment align) {
        QTextBlockFormat block;
        block.setAlignment(align);
        block.setBottomMargin(6);
        cursor_.setBlockFormat(block);
        cursor_.setBlockCharFormat(chars);
        cursor_.insertText(text, chars);
    }

    void paragraph(const QString& text, const QTextCharFormat& chars) {
        QTextBlockFormat block;
        block.setBottomMargin(4);
        cursor_.insertBlock(block, chars);
        cursor_.insertText(text, chars);
    }

    void table(const std::vector<QStringList>& rows, const std::vector<double>& widths) {
        if (rows.empty())
            return;
        int columns = 0;
        for (const QStringList& row : rows)
            columns = std::max(columns, static_cast<int>(row.size()));
        QTextTableFormat format;
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorder(0.5);
        format.setBorderBrush(QColor(128, 128, 128));
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setBorderCollapse(true);
        format.setHeaderRowCount(1);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        if (static_cast<int>(widths.size()) == columns) {
            QList<QTextLength> constraints;
            for (double share : widths)
                constraints << QTextLength(QTextLength::PercentageLength, share);
            format.setColumnWidthConstraints(constraints);
        }
        format.setTopMargin(4);
        format.setBottomMargin(6);
        QTextTable* table = cursor_.insertTable(static_cast<int>(rows.size()), columns, format);
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const QStringList& row = rows[static_cast<std::size_t>(r)];
            for (int c = 0; c < row.size(); ++c) {
                QTextCharFormat chars;
                chars.setFontPointSize(kBodyPoints - 1);
                if (r == 0)
                    chars.setFontWeight(QFont::Bold);
                QTextCursor cell = table->cellAt(r, c).firstCursorPosition();
                cell.insertText(row[c], chars);
            }
        }
        cursor_.movePosition(QTextCursor::End);
    }

    void drawing(const Drawing& d) {
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignHCenter);
        block.setTopMargin(6);
        cursor_.insertBlock(block);
        if (drawingsAs_ == DrawingsAs::Vectors) {
            QTextCharFormat object;
            object.setObjectType(kDrawingObject);
            object.setProperty(kDrawingIndex, objects_->add(d));
            cursor_.insertText(QString(QChar::ObjectReplacementCharacter), object);
        } else {
            const QString name = QStringLiteral("drawing-%1.png").arg(++pictures_);
            const QImage image = DrawingImage(d);
            document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
            QTextImageFormat picture;
            picture.setName(name);
            picture.setWidth(d.size.width());
            picture.setHeight(d.size.height());
            cursor_.insertImage(picture);
        }
        if (!d.caption.isEmpty()) {
            QTextBlockFormat captionBlock;
            captionBlock.setAlignment(Qt::AlignHCenter);
            captionBlock.setBottomMargin(8);
            QTextCharFormat chars;
            chars.setFontPointSize(kBodyPoints - 1);
            chars.setFontItalic(true);
            cursor_.insertBlock(captionBlock, chars);
            cursor_.insertText(d.caption, chars);
        }
    }

    QTextDocument& document_;
    QTextCursor cursor_;
    DrawingsAs drawingsAs_;
    DrawingObjects* objects_ = nullptr;
    int pictures_ = 0;
};

// Header and footer heights in device pixels and their fonts.
struct Frame {
    QFont font;
    double header = 0;
    double footer = 0;
};

Frame FrameOf(const QPaintDevice& device) {
    Frame frame;
    frame.font = QFont(QGuiApplication::font().family());
    frame.font.setPointSizeF(8);
    frame.font.setStyleStrategy(QFont::PreferNoShaping);
    const QFontMetricsF metrics(frame.font, &device);
    frame.header = metrics.lineSpacing() * 1.8;
    frame.footer = metrics.lineSpacing() * 1.8;
    return frame;
}

void PaintFrame(QPainter& painter, const Report& report, const Frame& frame, const QRectF& area,
                int page, int pages) {
    painter.save();
    painter.setFont(frame.font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(frame.font, painter.device());
    const double line = metrics.lineSpacing();
    const QString revision = report.fields.revision.trimmed().isEmpty()
                                 ? QString()
                                 : QStringLiteral("Revision %1").arg(report.fields.revision);
    const double revisionWidth = metrics.horizontalAdvance(revision) + line;
    QStringList head;
    if (!report.fields.project.trimmed().isEmpty())
        head << report.fields.project.simplified();
    head << (report.fields.title.trimmed().isEmpty() ? QStringLiteral("Pillar design report")
                                                     : report.fields.title.simplified());
    const QString left = metrics.elidedText(head.join(QStringLiteral(" – ")), Qt::ElideRight,
                                            area.width() - revisionWidth);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignLeft, left);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignRight, revision);
    const double rule = area.top() + line * 1.3;
    painter.setPen(QPen(Qt::gray, 0));
    painter.drawLine(QPointF(area.left(), rule), QPointF(area.right(), rule));

    const double bottom = area.bottom() - line;
    painter.drawLine(QPointF(area.left(), bottom - line * 0.3),
                     QPointF(area.right(), bottom - line * 0.3));
    painter.setPen(Qt::black);
    QStringList foot{report.program};
    if (!report.evaluationFile.isEmpty())
        foot << report.evaluationFile;
    if (!report.date.isEmpty())
        foot << report.date;
    const QString number = QStringLiteral("Page %1 of %2").arg(page).arg(pages);
    const double numberWidth = metrics.horizontalAdvance(number) + line;
    painter.drawText(QRectF(area.left(), bottom, area.width(), line), Qt::AlignLeft,
                     metrics.elidedText(foot.join(QStringLiteral(" · ")), Qt::ElideMiddle,
                                        area.width() - numberWidth));
    painter.drawText(QRectF(area.left(), bottom, area.width(), line), Qt::AlignRight, number);
    painter.restore();
}

} // namespace

bool Included(const Report& report, const Section& section) {
    if (std::find(report.ticked.begin(), report.ticked.end(), section.id) == report.ticked.end())
        return false;
    return section.hasContent() || !section.leftOut.isEmpty();
}

std::unique_ptr<QTextDocument> ReportDocument(const Report& report, DrawingsAs drawings) {
    auto document = std::make_unique<QTextDocument>();
    QFont font = document->defaultFont();
    font.setPointSizeF(kBodyPoints);
    // No ligatures: "ff" stays two letters that a search of the PDF finds.
    font.setStyleStrategy(QFont::PreferNoShaping);
    document->setDefaultFont(font);
    document->setMetaInformation(QTextDocument::DocumentTitle, report.fields.title);
    Builder builder(*document, drawings);
    builder.title(report.fields);
    int number = 0;
    for (const Section& section : report.sections) {
        if (!Included(report, section))
            continue;
        builder.heading(QStringLiteral("%1 %2").arg(++number).arg(SectionTitle(section.id)), 14);
        if (!section.hasContent()) {
            builder.block(Block::Paragraph(QStringLiteral("Left out: %1").arg(section.leftOut)));
            continue;
        }
        for (const Block& block : section.blocks)
            builder.block(block);
    }
    return document;
}

QPageSize PaperOf(const QLocale& locale) {
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Philippines:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::PuertoRico:
        return QPageSize(QPageSize::Letter);
    default:
        return QPageSize(QPageSize::A4);
    }
}

QPageLayout ReportLayout(const QPageSize& paper) {
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                       QPageLayout::Millimeter);
}

int PaintReport(const Report& report, QPagedPaintDevice& device) {
    const std::unique_ptr<QTextDocument> document = ReportDocument(report, DrawingsAs::Vectors);
    document->documentLayout()->setPaintDevice(&device);
    const QRect paintRect = device.pageLayout().paintRectPixels(device.logicalDpiY());
    const QRectF area(QPointF(0, 0), QSizeF(paintRect.size()));
    const Frame frame = FrameOf(device);
    const QRectF body(area.left(), area.top() + frame.header, area.width(),
                      area.height() - frame.header - frame.footer);
    if (body.height() <= 0 || body.width() <= 0)
        return 0;
    document->setPageSize(body.size());
    const int pages = std::max(1, document->pageCount());
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return 0;
        PaintFrame(painter, report, frame, area, page + 1, pages);
        painter.save();
        painter.translate(body.left(), body.top() - page * body.height());
        const QRectF clip(0, page * body.height(), body.width(), body.height());
        document->drawContents(&painter, clip);
        painter.restore();
    }
    return painter.end() ? pages : 0;
}

bool WriteReportPdf(const Report& report, QIODevice& device, const QPageSize& paper) {
    if (!device.isOpen() && !device.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&device);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(ReportLayout(paper));
    writer.setTitle(report.fields.title.simplified());
    writer.setCreator(report.program);
    return PaintReport(report, writer) > 0;
}

QByteArray ReportPdf(const Report& report, const QPageSize& paper) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!WriteReportPdf(report, buffer, paper))
        return {};
    buffer.close();
    return bytes;
}

QByteArray ReportOdt(const Report& report) {
    const std::unique_ptr<QTextDocument> document = ReportDocument(report, DrawingsAs::Pictures);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QTextDocumentWriter writer(&buffer, QByteArrayLiteral("odf"));
    if (!writer.write(document.get()))
        return {};
    buffer.close();
    return bytes;
}

} // namespace vt::designreport

#include "reportdocument.moc"
