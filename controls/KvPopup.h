// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TPopupMenu, the drop-down menu of the bitmap button.

#include "kavocontrols_export.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>

/// Which point of the menu goes to the popup point: its top-left, top-right or top centre.
enum TPopupAlignment : quint8 { paLeft, paRight, paCenter };

/// A popup menu that knows whether it may open by itself and how it lines up with the point it
/// is opened at.
///
/// A TkavoBitBtn opens its DropDownMenu on a press, at TkavoBitBtn::MenuPoint(), unless the
/// menu's AutoPopup is off; PopupComponent() then tells the menu's actions which button opened
/// it.
///
/// @code
/// auto *menu = new TPopupMenu(window); menu->addAction("&Copy");
/// button->setDropDownMenu(menu);
/// @endcode
///
/// @qtdiff
/// A QMenu whose Popup() lines up its top-left, top-right or top centre with the point
/// (QMenu::popup() always takes the top-left) and, like QMenu::exec(), returns only when the
/// menu has closed.
class KAVOCONTROLS_EXPORT TPopupMenu : public QMenu
{
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE setAutoPopup)
    Q_PROPERTY(TPopupAlignment Alignment READ Alignment WRITE setAlignment)

public:
    explicit TPopupMenu(QWidget *parent = nullptr);

    /// Whether a control may open the menu on its own, by a press.
    bool AutoPopup() const { return FAutoPopup; }
    void setAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void setAlignment(TPopupAlignment alignment) { FAlignment = alignment; }
    /// The control that opened the menu last.
    QObject *PopupComponent() const { return FPopupComponent; }
    void setPopupComponent(QObject *component) { FPopupComponent = component; }

    /// Where the menu's top-left corner goes for a popup at the global point.
    QPoint PopupOrigin(const QPoint &point) const;
    /// Shows the menu at the global point, lined up as Alignment says, and returns when it has
    /// closed.
    void Popup(const QPoint &point);

private:
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    QPointer<QObject> FPopupComponent;
};
