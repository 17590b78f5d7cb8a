// SPDX-License-Identifier: MIT
#pragma once

#include "kavocontrols_export.h"

#include <QObject>

/// @file
/// The toolkit's enumerations that controls publish as properties. They share this one header
/// because it carries the namespace's meta-object, which gives form builders (Designer, uic,
/// QUiLoader, the library's form writer) their names.

/// What the controls stand on beyond Qt: colours that may name a desktop colour, the cursor
/// table, forms with a modal result, loading from a form, accelerators, and the one seam to the
/// desktop (toolkit::Desktop).
namespace toolkit {

Q_NAMESPACE_EXPORT(KAVOCONTROLS_EXPORT)

/// Horizontal alignment of a text.
enum TAlignment : quint8 { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

/// How a bevel is cut.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

} // namespace toolkit
