#include "views/CropImageView.h"

#include <QDebug>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

using ViewGeometry::ViewRect;

namespace {

constexpr QColor kSelectionTint(255, 255, 255, 64); // white at alpha 0.25
constexpr QColor kSquareGuide(0, 255, 0);
constexpr QColor kGuide(255, 255, 255);
constexpr float kGuideThickness = 1.0f;
constexpr int kLabelPixelSize = 12;
constexpr int kFocusWidth = 2;
// Key steps in view points.
constexpr float kKeyStep = 1.0f;
constexpr float kShiftKeyStep = 10.0f;

// What an arrow key does: the move, or with Control the change of size, per
// step (view coordinates, y up).
struct ArrowKey {
    Qt::Key key;
    float x, y;
};
constexpr ArrowKey kArrowKeys[] = {{Qt::Key_Left, -1.0f, 0.0f},
                                   {Qt::Key_Right, 1.0f, 0.0f},
                                   {Qt::Key_Up, 0.0f, 1.0f},
                                   {Qt::Key_Down, 0.0f, -1.0f}};

// "Control" as the desktop means it: Qt reports the Mac's Control key as Meta.
#ifdef Q_OS_MACOS
constexpr Qt::KeyboardModifier kControlModifier = Qt::MetaModifier;
#else
constexpr Qt::KeyboardModifier kControlModifier = Qt::ControlModifier;
#endif

bool Finite(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height());
}

} // namespace

CropImageView::CropImageView(QWidget* parent)
    : ImageView(parent), _gesture(static_cast<float>(width()), static_cast<float>(height())) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Crop selection"));
    setAccessibleDescription(tr("The part of the picture that becomes the profile pictures. "
                                "Arrow keys move the selection, with Shift by ten points; "
                                "Control with the arrow keys grows or shrinks it."));
    stanStringAttrib.font = QFont(QStringLiteral("Helvetica"));
    stanStringAttrib.font.setStyleHint(QFont::SansSerif); // the desktop's sans without Helvetica
    stanStringAttrib.font.setPixelSize(kLabelPixelSize);
    stanStringAttrib.colour = Qt::white;
}

void CropImageView::SetSizeLabels(QLabel* width, QLabel* height) {
    _txtWidth = width;
    _txtHeight = height;
}

void CropImageView::SetPhotoPixelLabel(QLabel* label) {
    _photoPixels = label;
    ShowPhotoPixels();
}

void CropImageView::SetPhotoSize(QSize size) {
    _photoSize = size;
    ShowPhotoPixels();
}

void CropImageView::SetTheImage(const QImage& picture) {
    qInfo().noquote() << "Setting Cropping View Image:";
    setFocus(Qt::OtherFocusReason);
    setMouseTracking(true);
    qInfo().noquote() << "bla?";
    if (picture.isNull()) {
        return;
    }
    setImage(picture);
    _photoSize = picture.size();
    Apply(_gesture.Fit(static_cast<float>(picture.width()), static_cast<float>(picture.height()),
                       static_cast<float>(width()), static_cast<float>(height())));
}

void CropImageView::ResetSelection() {
    const QImage picture = image();
    if (picture.isNull()) {
        return; // nothing to fit to
    }
    Apply(_gesture.Fit(static_cast<float>(picture.width()), static_cast<float>(picture.height()),
                       static_cast<float>(width()), static_cast<float>(height())));
}

void CropImageView::SetSelectionFractions(float left, float right, float lower, float upper) {
    Apply(_gesture.Select(left, right, lower, upper));
}

QRectF CropImageView::CropCoords(float width, float height) const {
    return _gesture.CropCoords(width, height);
}

float CropImageView::CropCoordsLeft() const {
    return _gesture.CropCoordsLeft();
}

float CropImageView::CropCoordsRight() const {
    return _gesture.CropCoordsRight();
}

float CropImageView::CropCoordsTop() const {
    return _gesture.CropCoordsTop();
}

float CropImageView::CropCoordsBottom() const {
    return _gesture.CropCoordsBottom();
}

QRectF CropImageView::GetSelection() const {
    return _gesture.GetSelection();
}

QRectF CropImageView::FittedRect() const {
    const QImage picture = image();
    if (picture.isNull()) {
        return QRectF();
    }
    return ToWidget(ViewGeometry::FitByAspect(
        static_cast<float>(picture.width()), static_cast<float>(picture.height()),
        static_cast<float>(width()), static_cast<float>(height())));
}

void CropImageView::CropOk() {
    qInfo().noquote() << "Crop OK";
    emit CroppingAccepted();
}

void CropImageView::CropDismiss() {
    qInfo().noquote() << "Crop Dismiss";
    emit CroppingCancelled();
}

void CropImageView::paintEvent(QPaintEvent* event) {
    ImageView::paintEvent(event);
    QPainter painter(this);
    // A selection grown past its opposite edge is drawn where it lies.
    painter.fillRect(ClipToView(ToWidget(_gesture.Selection()).normalized()), kSelectionTint);
    DrawGuides(painter);
    DrawCornerLabels(painter);
    DrawFocus(painter);
}

void CropImageView::mousePressEvent(QMouseEvent*) {
    // Pressing does nothing: only the release counts as a click.
}

void CropImageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const ViewGeometry::ViewPoint p = ToView(event->position());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    Apply(_gesture.Click(p.x, p.y, modifiers.testFlag(Qt::ShiftModifier),
                         modifiers.testFlag(kControlModifier)));
}

void CropImageView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton) {
        return; // dragging moves nothing
    }
    const ViewGeometry::ViewPoint p = ToView(event->position());
    Apply(_gesture.Move(p.x, p.y));
}

void CropImageView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const float step = modifiers.testFlag(Qt::ShiftModifier) ? kShiftKeyStep : kKeyStep;
    const bool resize = modifiers.testFlag(kControlModifier);
    for (const ArrowKey& arrow : kArrowKeys) {
        if (event->key() == arrow.key) {
            const float x = arrow.x * step;
            const float y = arrow.y * step;
            Apply(resize ? _gesture.Key(0.0f, 0.0f, x, y) : _gesture.Key(x, y, 0.0f, 0.0f));
            return; // taken even when ignored: the arrows never leave the view
        }
    }
    ImageView::keyPressEvent(event);
}

void CropImageView::resizeEvent(QResizeEvent* event) {
    ImageView::resizeEvent(event);
    // Keep the selection on the same part of the picture when the layout
    // resizes the view.
    Apply(_gesture.Refit(static_cast<float>(width()), static_cast<float>(height())));
}

ViewGeometry::ViewPoint CropImageView::ToView(QPointF widgetPosition) const {
    return ViewGeometry::ToViewPoint(widgetPosition, static_cast<float>(height()));
}

QRectF CropImageView::ToWidget(const ViewRect& rect) const {
    return ViewGeometry::ToWidgetRect(rect, static_cast<float>(height()));
}

QRectF CropImageView::ClipToView(const QRectF& rect) const {
    // Nothing is clamped in the selection itself, so it may hold values the
    // paint engine should never see.
    return Finite(rect) ? rect.intersected(QRectF(this->rect())) : QRectF();
}

void CropImageView::Apply(const CropGesture::Reaction& reaction) {
    if (reaction.showSize) {
        if (_txtWidth) {
            _txtWidth->setText(QString::asprintf("%d", reaction.sizeWidth));
        }
        if (_txtHeight) {
            _txtHeight->setText(QString::asprintf("%d", reaction.sizeHeight));
        }
    }
    ShowPhotoPixels();
    if (reaction.repaint) {
        update();
    }
    if (reaction.ended) {
        const float left = CropCoordsLeft();
        const float right = CropCoordsRight();
        const float lower = CropCoordsTop();
        const float upper = CropCoordsBottom();
        if (reaction.keyed) {
            emit SelectionKeyed(left, right, lower, upper);
        } else {
            emit SelectionFinished(left, right, lower, upper);
        }
    }
}

void CropImageView::ShowPhotoPixels() {
    if (!_photoPixels) {
        return;
    }
    if (_photoSize.isEmpty() || image().isNull()) {
        _photoPixels->clear();
        return;
    }
    // Rounded, not truncated: a whole-photo selection reads as the photo's size.
    const QRectF inPhoto = CropCoords(float(_photoSize.width()), float(_photoSize.height()));
    _photoPixels->setText(QStringLiteral("%1 × %2 px of the photo")
                              .arg(QString::number(std::lround(inPhoto.width())),
                                   QString::number(std::lround(inPhoto.height()))));
}

void CropImageView::DrawGuides(QPainter& painter) const {
    // Four lines across the whole view, extending the selection's edges.
    const ViewRect& s = _gesture.Selection();
    const float w = static_cast<float>(width());
    const float h = static_cast<float>(height());
    const ViewRect lines[] = {{s.x, 0.0f, kGuideThickness, h},
                              {s.x + s.width, 0.0f, kGuideThickness, h},
                              {0.0f, s.y, w, kGuideThickness},
                              {0.0f, s.y + s.height, w, kGuideThickness}};
    const QColor colour = _gesture.SquareInWholePoints() ? kSquareGuide : kGuide;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const ViewRect& line : lines) {
        painter.fillRect(ClipToView(ToWidget(line)), colour);
    }
    painter.restore();
}

void CropImageView::DrawCornerLabels(QPainter& painter) const {
    painter.setFont(stanStringAttrib.font);
    painter.setPen(stanStringAttrib.colour);
    const QFontMetricsF metrics(stanStringAttrib.font);
    const QRectF near = QRectF(rect()).adjusted(-width(), -height(), width(), height());
    for (const ViewGeometry::CornerLabel& label :
         ViewGeometry::CornerLabels(_gesture.Selection(), static_cast<float>(height()))) {
        // The point is the text's lower-left corner; Qt draws from the baseline.
        const QPointF at(label.at.x, static_cast<float>(height()) - label.at.y - metrics.descent());
        if (near.contains(at)) {
            painter.drawText(at, label.text);
        }
    }
}

void CropImageView::DrawFocus(QPainter& painter) const {
    if (!hasFocus()) {
        return;
    }
    // An outline in the desktop's highlight colour along the view's edges.
    const qreal inset = kFocusWidth / 2.0;
    painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
