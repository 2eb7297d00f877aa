// Resource identifiers shared by Nesk.rc and the code that loads them.
#pragma once

#define IDI_NESK 1
