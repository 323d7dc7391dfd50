#pragma once

#include <QUrl>
#include <cstdint>
#include <functional>
#include <string>

// Starts a new e-mail in the desktop's mail program: the parts go into a "mailto:" address
// (MailtoUrl) that is handed to the desktop. All parameters are Windows-1252 strings; an
// empty string means that the part is not given. There is no sender in a mailto address: the
// mail program sends from its own account, so the sender's name and address are not used.
//
// Returns 0 when the mail program was started, -1 when none could be started, and 11 (no
// attachment possible) without starting anything when a file is to be attached, which a
// mailto address cannot carry.
int32_t SendMailMAPI(const std::string& Subject, const std::string& Body, const std::string& FileName,
                     const std::string& SenderName, const std::string& SenderEMail, const std::string& RecepientName,
                     const std::string& RecepientEMail, const std::string& CCMail);
