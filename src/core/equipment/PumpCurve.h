#pragma once

#include "core/equipment/BasePointList.h"

#include <QString>

#include <optional>
#include <vector>

// The head of the curve at flow Q, clamped to the flows of the first and last points. One point
// gives its head everywhere, two a straight line, more the spline. NaN where the curve gives
// no head: no points, two points of equal flow, a spline that failed or is not computed.
double EvaluateHead(const TBasePointList& points, double q);

// The two operating points and the characteristic H = A - B q^2 through them (q in m3/s).
struct TPumpFit {
    double Q1 = 0, Q2 = 0;  // m3/h
    double H1 = 0, H2 = 0;  // m
    double A = 0, B = 0;
};
// Empty when the curve gives no head at either flow, or both flows are the same (q1^2 = q2^2).
std::optional<TPumpFit> FitPump(const TBasePointList& points, double q1, double q2);

// What the chooser hands to a pump device: Q1, H1, Q2, H2, A, B and the model name.
struct TPumpCharacteristic {
    double Q1 = 0, H1 = 0, Q2 = 0, H2 = 0, A = 0, B = 0;
    QString Model;
};

// The curve as line pieces for drawing: 15 pieces per interval (an interval shorter than 0.01
// counts as 0.01), the straight line for two points, nothing for fewer or no heads.
std::vector<TBasePoint> CurvePolyline(const TBasePointList& points, int piecesPerInterval = 15);

// The fitted characteristic over [qMin, qMax] in |range| / 400 steps; empty without a fit or
// when the two flows are equal.
std::vector<TBasePoint> FitPolyline(const TPumpFit& fit, double qMin, double qMax);

// The operating-point bars count flow in hundredths of m3/h and reach from the first to the
// last point's flow.
struct TFlowBarRange {
    int Min = 0, Max = 0;
    int SmallStep = 1, LargeStep = 1;
};
TFlowBarRange FlowBarRange(const TBasePointList& points);

// Text of a flow label of the graph, judged on its offset from the axis minimum: whole numbers
// from 100 up, one decimal from 10, two below.
QString FlowAxisLabel(double value, double offsetFromMinimum);
