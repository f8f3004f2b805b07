#pragma once

// The view of the 3D topology schema without any graphics library: the mine's box, the pan,
// the two angles and the zoom, and the matrix they give. A node (X, Y, Z) goes to the graphics
// library as (X, Z, −Y): the mine's Z is the vertical axis, and the axes keep their handedness,
// so the plan seen from above has north up and east right (with (X, Z, Y) it came out mirrored). The window, the picking and the
// number labels all project through this one matrix.

#include <QMatrix4x4>
#include <QPoint>
#include <QSize>
#include <QVector3D>

class TMine;

// The mine's extent in metres; a dimension of no extent is widened by 0.005 on each side.
struct TModelBox {
    QVector3D Min;
    QVector3D Max;
    static TModelBox Of(const TMine& mine);
    QVector3D Centre() const { return (Min + Max) / 2; }
    QVector3D Size() const { return Max - Min; }
};

class TTopologyView {
public:
    static constexpr double kMinZoom = 0.01;
    static constexpr double kMaxZoom = 20;

    QPoint Pan() const { return pan_; }
    double Alpha() const { return alpha_; }
    double Beta() const { return beta_; }
    double Zoom() const { return zoom_; }
    // Values are kept within alpha −90…90, beta −180…180, zoom 0.01…20.
    void Set(QPoint pan, double alpha, double beta, double zoom);

    // Projection and model transform in one: the orthographic box of the client's size around
    // the model's centre, then the centre, the pan, alpha about X, beta about Y, the zoom, and
    // the centre back. The depth reaches half the model's diagonal times the zoom each way.
    QMatrix4x4 Matrix(QSize client, const TModelBox& box) const;
    // A mine point (X, Y, Z) in window pixels (y down), with its depth (−1 near … 1 far).
    QVector3D Project(const QVector3D& mine, QSize client, const TModelBox& box) const;
    // The same for a point already in the graphics library's axes (as the scene holds them).
    QVector3D ProjectGl(const QVector3D& gl, QSize client, const TModelBox& box) const;
    // The zoom that shows the whole box at the present angles: the smaller of the two ratios,
    // so nothing leaves the window, with a twentieth of it to spare; 1 when there is nothing
    // to fit.
    double FitZoom(QSize client, const TModelBox& box) const;

private:
    QPoint pan_;
    double alpha_ = 0;
    double beta_ = 0;
    double zoom_ = 1;
};

// A mine point in the graphics library's axes.
inline QVector3D ToGl(const QVector3D& mine) { return QVector3D(mine.x(), mine.z(), -mine.y()); }
