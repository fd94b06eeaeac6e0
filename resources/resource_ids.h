/* Resource ids shared by the code and trivel.rc (so: preprocessor only). */
#pragma once

#define IDI_TRIVEL 1
#define IDB_PORTRAIT 101
