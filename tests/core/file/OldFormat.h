#pragma once

#include "core/file/ByteWriter.h"
#include "core/file/Extended80.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

// Lays out the bytes of a network file body field by field as each format version has
// them, so that files of old versions can be built in tests without the writer under test.
class OldFormat {
public:
    explicit OldFormat(int version) : v(version) {}

    const int v;
    ByteWriter w;

    QByteArray bytes() const { return w.data(); }

    // One column record: 6 bytes, 76 up to version 5 (the tail is never read).
    void Column(int param, int width, bool visible)
    {
        w.u8(static_cast<uint8_t>(param));
        w.i32(width);
        w.boolean(visible);
        if (v <= 5)
            w.bytes(QByteArray(70, '\x55'));
    }

    // Column records with parameters in natural order and width 40 + parameter.
    void Columns()
    {
        const int branch = v >= 17 ? 14 : v >= 8 ? 12 : v >= 6 ? 14 : v >= 5 ? 7 : 6;
        const int result = v >= 8 ? 17 : 16;
        for (int i = 0; i < 4; ++i)
            Column(i, 40 + i, true);
        for (int i = 0; i < branch; ++i)
            Column(i, 40 + i, true);
        for (int i = 0; i < result; ++i)
            Column(i, 40 + i, true);
    }

    void Settings(int colorMode = 1, int dummyZ = 100, int reserved = 0, bool useProjected = false)
    {
        w.u8(static_cast<uint8_t>(colorMode));
        w.i32(dummyZ);
        w.u8(static_cast<uint8_t>(reserved));
        if (v >= 15)
            w.boolean(useProjected);
    }

    // GUID, name, remark, centre, no seams, no plan positions.
    void MineHead(const QString& name = QStringLiteral("Шахта"))
    {
        if (v >= 9)
            w.bytes(QByteArray::fromHex("00112233445566778899AABBCCDDEEFF"));
        w.string(name);
        w.string(QString());
        w.i32(1);
        w.i32(2);
        w.i32(3);
        w.i32(0);  // seams
        if (v >= 14)
            w.i32(0);  // plan positions
    }

    void Node(int number, double x, double y, double z, float sx, float sy, bool surface = false)
    {
        w.i32(number);
        w.f64(x);
        w.f64(y);
        w.f64(z);
        w.f32(sx);
        w.f32(sy);
        w.boolean(surface);
        if (v >= 3)
            w.boolean(true);  // placed by hand
        if (v >= 7)
            w.boolean(false);
        if (v >= 10) {
            Offset(1, 2);
            Offset(3, 4);
        }
        if (v >= 11)
            w.boolean(true);
    }

    void Offset(double dx, double dy)
    {
        w.ext80(Extended80::fromDouble(dx));
        w.ext80(Extended80::fromDouble(dy));
        w.zeros(4);
    }

    // Fixed block, remark and pipe count.
    void BranchHead(int number, int start, int end, int pipeCount = 3, const QString& remark = QString())
    {
        w.i32(number);
        w.i32(start);
        w.i32(end);
        w.i32(-1);  // seam
        if (v >= 5)
            w.f64(2.5);  // air flow
        if (v >= 6)
            w.boolean(true);
        if (v >= 7)
            w.boolean(false);
        if (v >= 10) {
            Offset(0, 15);
            w.boolean(true);
        }
        if (v >= 14)
            w.i32(-1);
        w.string(remark);
        w.i32(pipeCount);
    }

    // Common part of a pipe up to its device count (which follows).
    void PipeHead(int kind, int diameter, int color = 0x0000FF, double start = 0, double end = 1)
    {
        w.u8(static_cast<uint8_t>(kind));
        w.i32(diameter);
        w.f64(start);
        w.f64(end);
        if (v >= 4)
            w.i32(0);
        if (v >= 6)
            w.i32(color);
        if (v >= 10) {
            if (kind == 0) {
                Offset(5, 6);
                w.boolean(true);
            }
            w.u8(0);
            w.boolean(false);
            w.f64(0);
        }
        if (v >= 15)
            w.boolean(false);
    }

    void WaterTail(bool present = true, double k = 1.05)
    {
        w.boolean(present);
        w.f64(k);
    }

    void GasTail(int pipeNo = 1)
    {
        w.i32(pipeNo);
        w.u8(0);
        w.f64(14);
        w.f64(0);
        w.f64(0);
        w.boolean(false);
    }

    // A water pipe without devices.
    void WaterPipe(int kind, int diameter, bool present = true, int color = 0x0000FF)
    {
        PipeHead(kind, diameter, color);
        w.i32(0);
        WaterTail(present);
    }

    // Kind code and the common part of a device on a pipe of the given kind.
    void DeviceHead(int deviceKind, int number, double position, int pipeKind = 0)
    {
        w.u8(static_cast<uint8_t>(deviceKind));
        w.i32(number);
        w.f64(position);
        w.string(QStringLiteral("М-%1").arg(number));
        if (v >= 13)
            w.string(QString());
        if (v >= 10) {
            Offset(15, -15);
            if (pipeKind == 0) {
                Offset(0, 35);
                w.boolean(true);
            }
        }
    }

    // Branch order (version 1 on) and schema origin (version 3 on).
    void Tail(const std::vector<int>& order, float ox = 0, float oy = 0)
    {
        if (v >= 1)
            for (int row : order)
                w.i32(row);
        if (v >= 3) {
            w.f32(ox);
            w.f32(oy);
        }
    }
};

// A whole body of the version: columns, settings, a mine with nodes 1 (0, 0, 0) and
// 2 (100, 0, -10), the branches that `branches` writes, no text blocks, the branches in
// mine order, and the schema origin (7, 8).
inline QByteArray BodyWith(int version, int branchCount, const std::function<void(OldFormat&)>& branches)
{
    OldFormat f(version);
    f.Columns();
    f.Settings();
    f.MineHead();
    f.w.i32(2);
    f.Node(1, 0, 0, 0, 0, 0);
    f.Node(2, 100, 0, -10, 100, 0);
    f.w.i32(branchCount);
    if (branches)
        branches(f);
    if (version >= 16)
        f.w.i32(0);
    // Counts that no data backs get no order either.
    std::vector<int> order;
    for (int i = 0; i < branchCount && i < 1000; ++i)
        order.push_back(i);
    f.Tail(order, 7, 8);
    return f.bytes();
}

// One branch 10 from node 1 to node 2 whose fire-fighting pipe (diameter 150) carries the
// devices that `devices` writes (deviceCount of them).
inline void FireBranch(OldFormat& f, int deviceCount, const std::function<void(OldFormat&)>& devices)
{
    f.BranchHead(10, 1, 2);
    f.PipeHead(0, 150);
    f.w.i32(deviceCount);
    if (devices)
        devices(f);
    f.WaterTail();
    f.WaterPipe(1, 100, false);
    f.WaterPipe(2, 50, false);
}
