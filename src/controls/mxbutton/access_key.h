// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

namespace trimvox::mxbutton {

// The access key that a caption marks with "&", in lower case; a null QChar when there is none.
// "&&" stands for a literal ampersand. Only the first two ampersands found are looked at: when both
// are doubled there is no access key, even if a single ampersand follows later.
QChar UpdateAccessKey(const QString& caption);

} // namespace trimvox::mxbutton
