// SPDX-License-Identifier: MIT
#include "Cursors.h"

#include <QWidget>

#include <map>
#include <optional>

namespace toolkit {

namespace {

struct Slot
{
    std::function<QCursor()> loader;
    std::optional<QCursor> cursor;
};

// Built on first use: slots may be filled by static initialisers of other units.
std::map<TCursor, Slot> &table()
{
    static std::map<TCursor, Slot> cursors;
    return cursors;
}

Qt::CursorShape standardShape(TCursor slot)
{
    switch (slot) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

QCursor screenCursor(TCursor slot)
{
    auto it = table().find(slot);
    if (it == table().end() || !it->second.loader)
        return QCursor(standardShape(slot));
    if (!it->second.cursor)
        it->second.cursor = it->second.loader();
    return *it->second.cursor;
}

void setScreenCursor(TCursor slot, std::function<QCursor()> loader)
{
    table()[slot] = Slot{std::move(loader), std::nullopt};
}

void resetScreenCursor(TCursor slot)
{
    table().erase(slot);
}

void applyCursor(QWidget *widget, TCursor slot)
{
    if (slot == crDefault)
        widget->unsetCursor();
    else
        widget->setCursor(screenCursor(slot));
}

} // namespace toolkit
