// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TkavoCaptionControl, what the library's captioned controls have in common.

#include "kavocontrols_export.h"

#include "Accelerator.h"
#include "Colors.h"
#include "Component.h"

#include <QString>
#include <QWidget>

/// What the library's captioned controls (the check box and the hover label) have in common.
///
/// A caption whose "&" marks an accelerator, a background that follows the parent's colour
/// while ParentColor is on, the caption's colour, whether the pointer is over the control, and
/// the left-button click that counts only when released inside. A derived control says what its
/// accelerator does and paints itself.
///
/// @code
/// struct TTag : TkavoCaptionControl { explicit TTag(QWidget *parent) : TkavoCaptionControl(parent) {}
///     bool acceleratorPressed() override { return false; } void paintEvent(QPaintEvent *) override; };
/// @endcode
///
/// @qtdiff
/// Where a QAbstractButton or a QLabel keeps its text and shortcut, and the palette's
/// inheritance gives the background, this base keeps a caption, a background colour that may
/// name a desktop colour (toolkit::TColor) and follows the parent until one is set
/// (ParentColor), and a caption colour of its own.
class KAVOCONTROLS_EXPORT TkavoCaptionControl : public QWidget, public toolkit::TComponent
{
    Q_OBJECT

public:
    QString Caption() const { return FCaption; }
    void setCaption(const QString &caption);
    /// The background; it follows the parent's colour while ParentColor is on.
    toolkit::TColor Color() const { return FBackground.color(); }
    void setColor(toolkit::TColor color);
    bool ParentColor() const { return FBackground.following(); }
    void setParentColor(bool parentColor);
    /// The caption's colour.
    toolkit::TColor FontColor() const { return FFontColor; }
    void setFontColor(toolkit::TColor color);
    bool MouseInside() const { return FMouseInside; }

    toolkit::TNotifyEvent OnClick;

protected:
    explicit TkavoCaptionControl(QWidget *parent);

    /// The background as painted. While following its parent the control takes the colour the
    /// parent really shows: a dialog's face is its window colour, which a dark scheme sets apart
    /// from the button colour that the followed clBtnFace names. A parent with a colour property
    /// of its own paints that colour, which the followed colour already is.
    QColor shownBackground(const QPalette &palette) const;

    /// After the caption changed, before the repaint.
    virtual void captionChanged() {}
    /// After the caption's colour changed, before the repaint.
    virtual void fontColorChanged() {}
    /// Takes the parent's colour while following, repainting when it changed.
    virtual void followParentColor();
    /// After the pointer came in or went out; repaints unless overridden.
    virtual void hoverChanged();
    /// The caption's accelerator was pressed; false leaves the key to the widget's default.
    virtual bool acceleratorPressed() = 0;
    /// A left-button click completed inside the control.
    virtual void Click();

    bool event(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

    QString FCaption;
    toolkit::TParentColor FBackground;
    toolkit::TColor FFontColor = toolkit::clWindowText;
    bool FMouseInside = false;
    toolkit::TAccelerator FAccelerator{this};
    /// Set by a left press the control took as the start of a click.
    bool FClickPressed = false;
};
