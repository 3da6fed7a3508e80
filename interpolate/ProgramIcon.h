#pragma once

#include <QIcon>

// The program's icon: a few scattered points and the line fitted through them.
QIcon ProgramIcon();
