#pragma once

// The solid elements of the 3D topology schema, laid out without any graphics library: a box
// along every segment of the scene, as triangles shaded by a fixed light, and the long edges of
// its wire outline a tenth of a metre larger. A segment steeper than 60° stands as a vertical element (its cross
// section horizontal), as shafts and raises do. Where three or more branches meet, the box stops
// short of the node's sphere; where two meet it reaches past the node by half its width, so the
// bend closes; at a dead end it stops at the node.

#include "render/topology3d/TopologyScene.h"

#include <vector>

struct TTopologySolids {
    static constexpr float kHalfWidth = 1.5f;   // metres across the working
    static constexpr float kHalfHeight = 1.0f;  // metres up
    static constexpr float kSphereRadius = 2.0f;
    static constexpr float kOutlineGap = 0.05f;  // the outline is 0.1 m larger

    // Nine floats (three vertices) a triangle, counter-clockwise seen from outside, one colour
    // a vertex.
    std::vector<float> Triangles;
    std::vector<TTopologyScene::Rgb> TriangleColors;
    // Six floats a line of the outline, one colour a vertex.
    std::vector<float> Outline;
    std::vector<TTopologyScene::Rgb> OutlineColors;

    static TTopologySolids Build(const TTopologyScene& scene);
};
