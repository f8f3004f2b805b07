#include "render/topology3d/TopologyView.h"

#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cmath>

TModelBox TModelBox::Of(const TMine& mine)
{
    TModelBox box;
    bool any = false;
    for (const TUzel* u : mine.Uzels) {
        const QVector3D p(float(u->X()), float(u->Y()), float(u->Z()));
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || !std::isfinite(p.z()))
            continue;
        if (!any) {
            box.Min = box.Max = p;
            any = true;
            continue;
        }
        box.Min = QVector3D(std::min(box.Min.x(), p.x()), std::min(box.Min.y(), p.y()), std::min(box.Min.z(), p.z()));
        box.Max = QVector3D(std::max(box.Max.x(), p.x()), std::max(box.Max.y(), p.y()), std::max(box.Max.z(), p.z()));
    }
    for (int axis = 0; axis < 3; ++axis)
        if (box.Max[axis] - box.Min[axis] <= 0) {
            box.Min[axis] -= 0.005f;
            box.Max[axis] += 0.005f;
        }
    return box;
}

void TTopologyView::Set(QPoint pan, double alpha, double beta, double zoom)
{
    pan_ = pan;
    alpha_ = std::clamp(alpha, -90.0, 90.0);
    beta_ = std::clamp(beta, -180.0, 180.0);
    zoom_ = std::clamp(std::isfinite(zoom) ? zoom : 1.0, kMinZoom, kMaxZoom);
}

QMatrix4x4 TTopologyView::Matrix(QSize client, const TModelBox& box) const
{
    const QVector3D c = ToGl(box.Centre());
    const float w = float(std::max(1, client.width())) / 2;
    const float h = float(std::max(1, client.height())) / 2;
    // Half the diagonal times the zoom: every rotation of the model stays inside, and a
    // 24-bit depth buffer keeps steps of millimetres.
    const float depth = std::max(0.01f, box.Size().length() / 2 * float(zoom_));
    QMatrix4x4 m;
    // Near and far are distances along the view (−z): the model's centre lies at z = c.z.
    m.ortho(c.x() - w, c.x() + w, c.y() - h, c.y() + h, -c.z() - depth, -c.z() + depth);
    m.translate(c);
    m.translate(float(pan_.x()), float(pan_.y()), 0);
    m.rotate(float(alpha_), 1, 0, 0);
    m.rotate(float(beta_), 0, 1, 0);
    m.scale(float(zoom_));
    m.translate(-c);
    return m;
}

QVector3D TTopologyView::Project(const QVector3D& mine, QSize client, const TModelBox& box) const
{
    return ProjectGl(ToGl(mine), client, box);
}

QVector3D TTopologyView::ProjectGl(const QVector3D& gl, QSize client, const TModelBox& box) const
{
    const QVector3D ndc = Matrix(client, box).map(gl);
    return QVector3D((ndc.x() + 1) / 2 * float(client.width()), (1 - ndc.y()) / 2 * float(client.height()), ndc.z());
}

double TTopologyView::FitZoom(QSize client, const TModelBox& box) const
{
    // The box's corners turned by the angles, at zoom 1: their extent across and up the screen.
    QMatrix4x4 turn;
    turn.rotate(float(alpha_), 1, 0, 0);
    turn.rotate(float(beta_), 0, 1, 0);
    float minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const QVector3D p((corner & 1) ? box.Max.x() : box.Min.x(), (corner & 2) ? box.Max.y() : box.Min.y(),
                          (corner & 4) ? box.Max.z() : box.Min.z());
        const QVector3D t = turn.map(ToGl(p - box.Centre()));
        minX = corner ? std::min(minX, t.x()) : t.x();
        maxX = corner ? std::max(maxX, t.x()) : t.x();
        minY = corner ? std::min(minY, t.y()) : t.y();
        maxY = corner ? std::max(maxY, t.y()) : t.y();
    }
    const double across = maxX - minX;
    const double up = maxY - minY;
    if (client.width() <= 0 || client.height() <= 0 || across <= 0 || up <= 0)
        return 1;
    // A twentieth of the window is left around, so the outermost lines are not on its edge.
    const double fit = 0.95 * std::min(client.width() / across, client.height() / up);
    return fit > 0 && std::isfinite(fit) ? std::clamp(fit, kMinZoom, kMaxZoom) : 1;
}
