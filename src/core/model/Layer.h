#pragma once

#include "core/model/MineObject.h"

#include <memory>

// Common base of seams and emergency-plan positions. Branches refer to them by index.
class TCustomLayer : public TMineObject {
public:
    ~TCustomLayer() override;

    bool Visible() const { return visible_; }
    const QString& Name() const { return name_; }
    int Color() const { return color_; }
    void SetVisible(bool value);
    void SetName(const QString& value);
    void SetColor(int value);

    double GetX() const override { return 0; }
    double GetY() const override { return 0; }
    double GetZ() const override { return 0; }
    float GetSX() const override { return 0; }
    float GetSY() const override { return 0; }
    QString GetInfoText(bool) const override { return QString(); }

    // Moves the object from its mine's list to another mine's list.
    virtual void SetMine(TMine* mine) = 0;

protected:
    explicit TCustomLayer(TMine* mine) : TMineObject(mine) {}
    // After leaving the list at the index: branch references follow the list positions.
    void RenumberBranches(int removedIndex, bool seams);

private:
    friend class TLayer;
    friend class TPLFPosition;
    bool visible_ = true;
    QString name_;
    int color_ = 0xFFFFFF;
};

// A coal seam.
class TLayer : public TCustomLayer {
public:
    static TLayer* Create(TMine* mine);
    ~TLayer() override;
    TObjectKind ObjectKind() const override { return TObjectKind::Layer; }
    int GetIndex() const override;
    void SetMine(TMine* mine) override;

private:
    explicit TLayer(TMine* mine) : TCustomLayer(mine) {}
};

// A position of the emergency response plan.
class TPLFPosition : public TCustomLayer {
public:
    static TPLFPosition* Create(TMine* mine);
    ~TPLFPosition() override;
    TObjectKind ObjectKind() const override { return TObjectKind::PLFPosition; }
    int GetIndex() const override;
    void SetMine(TMine* mine) override;
    int PositionNo() const { return positionNo_; }
    void SetPositionNo(int value) { positionNo_ = value; }

private:
    explicit TPLFPosition(TMine* mine) : TCustomLayer(mine) {}
    int positionNo_ = 0;
};

template <class T>
class TLayerListT : public TOwningList<T> {
public:
    explicit TLayerListT(TMine* mine) : mine_(mine)
    {
        if (!mine)
            throw EOwnerError();
    }
    ~TLayerListT() override { this->Clear(); }
    TMine* Mine() const { return mine_; }

protected:
    void ListChanged() override;

private:
    TMine* mine_;
};

using TLayerList = TLayerListT<TLayer>;
using TPLFPositionList = TLayerListT<TPLFPosition>;
