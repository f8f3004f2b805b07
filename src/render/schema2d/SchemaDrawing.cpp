#include "render/schema2d/SchemaDrawing.h"

#include "render/schema2d/SchemaScene.h"

TDisplaySwitches TDisplaySwitches::FromParams(const TParams2D& p)
{
    TDisplaySwitches s;
    s.PipeIndex = p.PipeIndex;
    s.ColorPaint = p.ColorPaint;
    s.BranchInfo = p.BranchInfo;
    s.DevInfo = p.DevInfo;
    s.UzelNumbers = p.VisibleObjects & voUzelNumbers;
    s.BranchLabels = p.VisibleObjects & voBranchLabels;
    s.Comments = p.VisibleObjects & voComments;
    s.Devices = p.DevVisible;
    s.OnlyDuct = p.OnlyDuct;
    s.BranchArrows = p.BranchArrowVisible;
    s.AirArrows = p.AirArrows;
    s.Grid = p.GridVisible;
    s.TextBlocks = p.TextBlockVisible;
    s.ThickBranch = p.ThickBranch;
    return s;
}

void TDisplaySwitches::ToParams(TParams2D& p) const
{
    p.PipeIndex = PipeIndex;
    p.ColorPaint = ColorPaint;
    p.BranchInfo = BranchInfo;
    p.DevInfo = DevInfo;
    p.VisibleObjects = quint8((p.VisibleObjects & ~(voUzelNumbers | voBranchLabels | voComments)) |
                              (UzelNumbers ? voUzelNumbers : 0) | (BranchLabels ? voBranchLabels : 0) |
                              (Comments ? voComments : 0));
    p.DevVisible = Devices;
    p.OnlyDuct = OnlyDuct;
    p.BranchArrowVisible = BranchArrows;
    p.AirArrows = AirArrows;
    p.GridVisible = Grid;
    p.TextBlockVisible = TextBlocks;
    p.ThickBranch = ThickBranch;
}

TSchemaDrawing TSchemaDrawing::FromParams(const TParams2D& params, const TColors2D& colors)
{
    TSchemaDrawing drawing;
    drawing.Show = TDisplaySwitches::FromParams(params);
    drawing.Colors = colors;
    drawing.Limits = TScaleLimits{params.MinLimScale, params.MaxLimScale, params.MinFontScale, params.MaxFontScale};
    return drawing;
}

TViewGeometry TSchemaDrawing::Frame(TSchemaScene& scene) const
{
    TViewGeometry view;
    view.SetMapScale(MapScale);
    view.SetOrigin(Origin);
    view.SetLimits(Limits);
    scene.RecomputeExtent(Show, Colors, Results);
    if (Part)
        view.SetExtent(*Part);
    else
        scene.ApplyExtent(view);
    return view;
}
