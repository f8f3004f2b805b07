#include "ui/topology3d/TopologyGl.h"

#include "render/topology3d/TopologySolids.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace TopologyGl {

namespace {

constexpr size_t kMaxSelectionWords = 2'000'000;  // 8 000 000 bytes

}  // namespace

void TSolidLists::Forget()
{
    if (Branches)
        glDeleteLists(Branches, 1);
    if (Nodes)
        glDeleteLists(Nodes, 1);
    Branches = Nodes = 0;
}

namespace {

// Lays coloured triangles or lines into the list being compiled.
void Arrays(GLenum mode, const std::vector<float>& vertices, const TTopologyScene::Rgb* colors)
{
    if (vertices.empty())
        return;
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glColorPointer(3, GL_FLOAT, 0, colors);
    glDrawArrays(mode, 0, GLsizei(vertices.size() / 3));
}

// Every node's sphere (4 slices, 2 stacks: eight faces) laid out on the CPU with its colour: the
// list replays it in one call, with no matrix change per node.
void NodeSpheres(const TTopologyScene& scene)
{
    static const float kDirections[6][3] = {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 0, -1}, {0, -1, 0}};
    static const int kFaces[8][3] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1}, {5, 2, 1}, {5, 3, 2}, {5, 4, 3}, {5, 1, 4}};
    std::vector<float> vertices;
    std::vector<TTopologyScene::Rgb> colors;
    vertices.reserve(scene.Nodes.size() * 8 * 9);
    colors.reserve(scene.Nodes.size() * 24);
    for (size_t i = 0; i < scene.Nodes.size(); ++i) {
        const float* at = &scene.NodeVertices[3 * i];
        for (const auto& face : kFaces)
            for (int corner : face) {
                for (int axis = 0; axis < 3; ++axis)
                    vertices.push_back(at[axis] + TTopologySolids::kSphereRadius * kDirections[corner][axis]);
                colors.push_back(scene.NodeColors[i]);
            }
    }
    Arrays(GL_TRIANGLES, vertices, colors.data());
}

// Compiles a list on first use (with the colour and vertex arrays on), and replays it.
template <class Fill>
void ListOf(unsigned& list, Fill fill)
{
    if (!list) {
        list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        fill();
        glEndList();
    }
    glCallList(list);
}

}  // namespace

void Draw(const TTopologyScene& scene, bool solid, TSolidLists& lists)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glLineWidth(1.f);
    if (solid) {
        // The branches' boxes filled, then their outlines.
        // The boxes' faces turned away from the eye are never seen: culled before they are filled.
        ListOf(lists.Branches, [&scene] {
            const TTopologySolids solids = TTopologySolids::Build(scene);
            glEnable(GL_CULL_FACE);
            glCullFace(GL_BACK);
            Arrays(GL_TRIANGLES, solids.Triangles, solids.TriangleColors.data());
            glDisable(GL_CULL_FACE);
            Arrays(GL_LINES, solids.Outline, solids.OutlineColors.data());
        });
        ListOf(lists.Nodes, [&scene] { NodeSpheres(scene); });
    } else {
        Arrays(GL_LINES, scene.BranchVertices, scene.BranchColors.data());
        glPointSize(5.f);
        Arrays(GL_POINTS, scene.NodeVertices, scene.NodeColors.data());
    }
    glLineWidth(2.f);
    Arrays(GL_LINES, scene.PipeVertices, scene.PipeColors.data());
    glPointSize(7.f);
    Arrays(GL_POINTS, scene.DeviceVertices, scene.DeviceColors.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawNames(const TTopologyScene& scene)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glLineWidth(3.f);
    glPointSize(5.f);
    for (size_t i = 0; i < scene.BranchNames.size(); ++i) {
        glLoadName(scene.BranchNames[i]);
        glVertexPointer(3, GL_FLOAT, 0, scene.BranchVertices.data() + 6 * i);
        glDrawArrays(GL_LINES, 0, 2);
    }
    for (size_t i = 0; i < scene.NodeNames.size(); ++i) {
        glLoadName(scene.NodeNames[i]);
        glVertexPointer(3, GL_FLOAT, 0, scene.NodeVertices.data() + 3 * i);
        glDrawArrays(GL_POINTS, 0, 1);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawGrid(const TTopologyGrid& grid, bool above)
{
    // Seen from above the lines are dark green-grey and the centre lines green; from below
    // grey, the centre lines half-transparent.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glLineWidth(1.f);
    if (!grid.Lines.empty()) {
        above ? glColor3f(0.2f, 0.4f, 0.2f) : glColor3f(0.4f, 0.4f, 0.4f);
        glVertexPointer(3, GL_FLOAT, 0, grid.Lines.data());
        glDrawArrays(GL_LINES, 0, GLsizei(grid.Lines.size() / 3));
    }
    if (!grid.CentreLines.empty()) {
        above ? glColor4f(0, 0.7f, 0, 1) : glColor4f(0.7f, 0.7f, 0.7f, 0.5f);
        glVertexPointer(3, GL_FLOAT, 0, grid.CentreLines.data());
        glDrawArrays(GL_LINES, 0, GLsizei(grid.CentreLines.size() / 3));
    }
    if (grid.Area.size() == 12) {
        glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
        glDepthMask(GL_FALSE);
        glVertexPointer(3, GL_FLOAT, 0, grid.Area.data());
        glDrawArrays(GL_QUADS, 0, 4);
        glDepthMask(GL_TRUE);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
}

quint32 Pick(const TTopologyScene& scene, const QMatrix4x4& matrix, QPointF at, QSize pixels, qreal ratio)
{
    GLint viewport[4] = {0, 0, GLint(pixels.width()), GLint(pixels.height())};
    std::vector<GLuint> buffer(4096);
    GLint hits = -1;
    // An overflowing buffer gives -1: grow it and pick again, up to the limit.
    while (true) {
        glSelectBuffer(GLsizei(buffer.size()), buffer.data());
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        // The pick matrix first, 3 x 3 pixels scaled like the screen, then the view.
        gluPickMatrix(at.x(), viewport[3] - at.y(), 3 * ratio, 3 * ratio, viewport);
        glMultMatrixf(matrix.constData());
        glEnable(GL_DEPTH_TEST);
        DrawNames(scene);
        hits = glRenderMode(GL_RENDER);
        if (hits >= 0 || buffer.size() >= kMaxSelectionWords)
            break;
        buffer.resize(std::min(buffer.size() * 4, kMaxSelectionWords));
    }
    // The nearest hit wins: each record is count, min depth, max depth, names.
    quint32 best = 0;
    GLuint bestDepth = std::numeric_limits<GLuint>::max();
    size_t i = 0;
    for (GLint h = 0; h < hits && i + 3 <= buffer.size(); ++h) {
        const GLuint count = buffer[i];
        if (i + 3 + count > buffer.size())
            break;
        if (count > 0 && buffer[i + 1] <= bestDepth) {
            bestDepth = buffer[i + 1];
            best = buffer[i + 3 + count - 1];
        }
        i += 3 + count;
    }
    return best;
}

}  // namespace TopologyGl
