// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TForm, a dialog with a modal result that its buttons set.

#include "kavocontrols_export.h"

#include <QDialog>

namespace toolkit {

/// Modal results, with the desktop's values.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

/// A form in the desktop's manner: a modal showing ends when its modal result is set.
///
/// Closing the window counts as Cancel, and Enter and Escape reach the form as dialog keys that
/// press its default and cancel buttons. A button is the cancel button when its "Cancel"
/// property is true; the default button is the focused push button, else the push button marked
/// default. A TkavoBitBtn with a ModalResult sets the form's result when clicked.
///
/// @code
/// toolkit::TForm form(window); auto *ok = new TkavoBitBtn(&form); ok->setKind(bkOK);
/// if (form.ShowModal() == toolkit::mrOk) apply();
/// @endcode
///
/// @qtdiff
/// A QDialog whose result is set by its buttons' ModalResult rather than by connecting them to
/// accept() and reject(), with the desktop's nine results (mrYes, mrRetry...). Escape presses a
/// button marked Cancel, where QDialog rejects at once.
class KAVOCONTROLS_EXPORT TForm : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)

public:
    explicit TForm(QWidget *parent = nullptr);

    int ModalResult() const { return FModalResult; }
    /// A result other than mrNone ends a modal showing with that result.
    void setModalResult(int result);

    /// Shows the form modally and returns its modal result.
    int ShowModal();

    /// Enter (Qt::Key_Return or Qt::Key_Enter) presses the default button, Escape the cancel
    /// button. Returns whether a button was pressed; visible and enabled buttons only.
    virtual bool DialogKey(int key);

    void done(int result) override;
    void accept() override { done(mrOk); }
    void reject() override { done(mrCancel); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int FModalResult = mrNone;
};

} // namespace toolkit
