#pragma once

// "Текстовый блок": the text, angle, colours and font of a text block. The dialog edits a
// draft (TTextBlockDraft); on OK the draft holds the choices, and the caller writes it into
// the block or creates the block from it.
//
//     TTextBlockDraft draft = TTextBlockDraft::Of(block);
//     TEditTextBlockForm form(draft, window);
//     if (form.Run(QCursor::pos())) draft.ApplyTo(block);

#include "core/schema/TextBlockDraft.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class TColorButton;

class TEditTextBlockForm : public QDialog {
    Q_OBJECT
public:
    TEditTextBlockForm(TTextBlockDraft& draft, QWidget* parent = nullptr);

    // Shows the dialog with its left-top at the screen point, moved left or up so that it
    // fits in the work area. True on OK.
    bool Run(QPoint screenPoint);
    // Where the dialog of this size goes for the point within the work area.
    static QPoint FittedPosition(QPoint point, QSize size, const QRect& workArea);

    void accept() override;
    // "&Сброс": the default size and no rotation.
    void Reset();

    // The fields, for the user and tests.
    QPlainTextEdit* TextEdit() const { return text_; }
    QLineEdit* AngleEdit() const { return angle_; }
    QComboBox* SizeBox() const { return size_; }
    QCheckBox* BackBox() const { return back_; }
    QCheckBox* FrameBox() const { return frame_; }
    QCheckBox* BoldBox() const { return bold_; }
    QCheckBox* ItalicBox() const { return italic_; }
    QCheckBox* UnderlineBox() const { return underline_; }
    TColorButton* BackColorButton() const { return backColor_; }
    TColorButton* FrameColorButton() const { return frameColor_; }
    TColorButton* FontColorButton() const { return fontColor_; }

private:
    void ShowDraft();

    TTextBlockDraft& draft_;
    TTextBlockDraft edited_;
    QPlainTextEdit* text_ = nullptr;
    QLineEdit* angle_ = nullptr;
    TColorButton* backColor_ = nullptr;
    TColorButton* frameColor_ = nullptr;
    QCheckBox* back_ = nullptr;
    QCheckBox* frame_ = nullptr;
    TColorButton* fontColor_ = nullptr;
    QComboBox* size_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QCheckBox* underline_ = nullptr;
};
