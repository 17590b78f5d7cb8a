// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The controls' events, their loading from a form, and the stored-form rule of a property.

#include "kavocontrols_export.h"

#include <QChar>
#include <QPointer>

#include <functional>
#include <vector>

namespace toolkit {

/// The controls' events: optional callbacks, called only when set, the control as sender.
using TNotifyEvent = std::function<void(QObject *Sender)>;
/// Key is a Qt::Key; a handler that sets it to 0 consumes the key.
using TKeyEvent = std::function<void(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)>;
/// A typed character; a handler that sets it to QChar() drops it.
using TKeyPressEvent = std::function<void(QObject *Sender, QChar &Key)>;
/// A mouse button pressed or released at (X, Y) in the control's coordinates.
using TMouseEvent = std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;

/// The part of a control that knows whether it is being built from a form description.
///
/// While loading, properties arrive one by one in their stored order, and setters that would
/// adjust related properties (a colour that switches off following the parent, say) leave them
/// be. Loaded runs once every property is in place. TFormLoader drives it for a whole form.
///
/// @code
/// label.beginLoading(); label.setColorActive(toolkit::clWindow);
/// label.endLoading(); // ParentColor stays on, as the form left it
/// @endcode
///
/// @qtdiff
/// Qt has no loading state: QFormBuilder and uic set properties one by one on a finished widget,
/// so a setter that changes a related property would undo what the form said of it. Controls
/// that derive from TComponent put off such adjustments while loading.
class KAVOCONTROLS_EXPORT TComponent
{
public:
    TComponent() = default;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;
    virtual ~TComponent() = default;

    bool isLoading() const { return FLoading; }
    void beginLoading() { FLoading = true; }
    /// Leaves the loading state, then runs Loaded. Does nothing when not loading.
    void endLoading();

protected:
    /// Called by endLoading, with the loading state already left. Overrides call the base first.
    virtual void Loaded() {}

private:
    bool FLoading = false;
};

/// Builds a form from its description: every component added is loading until finish(), which
/// runs their Loaded in the order they were added (the loader's destructor finishes too).
///
/// Components destroyed in between are skipped.
///
/// @code
/// toolkit::TFormLoader loader;
/// auto *ok = loader.add(new TkavoBitBtn(form));
/// ok->setCaption("&Go"); ok->setKind(bkOK); // the kind keeps the caption the form gave
/// @endcode
///
/// @qtdiff
/// Where QFormBuilder creates and sets each widget in turn, this holds every control of the form
/// in its loading state until the whole form is set, as a stored form is read.
class KAVOCONTROLS_EXPORT TFormLoader
{
public:
    TFormLoader() = default;
    TFormLoader(const TFormLoader &) = delete;
    TFormLoader &operator=(const TFormLoader &) = delete;
    ~TFormLoader() { finish(); }

    /// Marks the component as loading; objects that are no TComponent are ignored.
    template<class T>
    T *add(T *component)
    {
        adopt(component);
        return component;
    }

    void finish();

private:
    void adopt(QObject *object);

    std::vector<QPointer<QObject>> FComponents;
};

/// Whether a property's value is written to a stored form. Where the rule depends on the value
/// (Qt 6 has no STORED functions), a control decides through a Q_INVOKABLE predicate named
/// after the property: isCaptionStored() for Caption. Otherwise the property's STORED flag
/// decides. False for unknown properties.
KAVOCONTROLS_EXPORT bool isPropertyStored(const QObject *object, const char *name);

} // namespace toolkit
