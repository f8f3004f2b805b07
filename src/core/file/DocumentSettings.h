#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Columns of the node, branch and results tables.
enum TUzelParam : int { upNum = 0, upX, upY, upZ };
enum TBranchParam : int {
    bpNum = 0, bpNumS, bpNumE, bpL, bpAngle, bpRemark, bpAirQ,
    bpFirePDiam, bpFirePWall, bpFirePFromS, bpFirePFromE, bpFirePK, bpPLF, bpLayer
};
enum THydroBranchParam : int {
    hbpNum = 0, hbpNumS, hbpNumE, hbpL, hbpK, hbpLk, hbpAngle, hbpQ, hbpV, hbpD,
    hbp100i, hbpR, hbpdZ, hbpP1, hbpP2, hbpRemark, hbpDeltaP
};
inline constexpr int kUzelColCount = 4;
inline constexpr int kBranchColCount = 14;
inline constexpr int kResultColCount = 17;

// One column of a table as the document keeps it: which value, how wide, shown or not.
struct TColumnLayout {
    int Param = 0;
    int Width = 64;
    bool Visible = true;
    bool operator==(const TColumnLayout&) const = default;
};

// What the network file keeps of the document window besides the mine itself.
struct TDocumentSettings {
    std::vector<TColumnLayout> UzelCols;    // display order
    std::vector<TColumnLayout> BranchCols;  // display order
    std::vector<TColumnLayout> ResultCols;  // display order
    int ColorMode = 0;                      // 0 standard, 1 by seams, 2 by plan positions
    int DummyZ = 100;                       // height of the fictitious node, m
    uint8_t Reserved1 = 0;
    bool UseProjectedPipes = false;
    float OX = 0;                           // schema origin
    float OY = 0;

    // A new document: every column in its natural order, visible.
    static TDocumentSettings Defaults();
};
