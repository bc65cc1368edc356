// The editor's icons, drawn by us in code so that they stay sharp at every size: the
// program's own (a foot controller seen from above) and those of the toolbar.
#pragma once

#include <QIcon>

namespace orvel {

QIcon ProgramIcon();
QIcon OpenIcon();
QIcon SaveIcon();
QIcon SaveAsIcon();
QIcon PrintIcon();

}  // namespace orvel
