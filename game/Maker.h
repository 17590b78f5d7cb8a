// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The maker's addresses, shown in the help menu and the about box and opened by their links.
namespace maker {

inline constexpr char WebPage[] = "https://korvessa.example/numbrax/";
// How the help menu names the web page.
inline constexpr char WebCaption[] = "korvessa.example";
// The mailbox the captions show.
inline constexpr char ContactMail[] = "info@korvessa.example";
// The mailbox the mail links write to.
inline constexpr char SupportMail[] = "support@korvessa.example";
inline constexpr char MailSubject[] = "numbrax";

// A new mail to the support mailbox with the subject filled in.
inline QString MailLink()
{
    return QStringLiteral("mailto:") + QLatin1String(SupportMail) + QStringLiteral("?subject=") +
           QLatin1String(MailSubject);
}

} // namespace maker
