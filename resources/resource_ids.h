/* Resource ids shared by the code and trivel.rc (so: preprocessor only). */
#pragma once

#define IDI_TRIVEL 1
#define IDB_PORTRAIT 101
#define IDR_LIST_MENU 201
#define IDR_SHORTCUTS 202
#define IDR_IMAGE_MENU 203
#define IDM_LIST_COPY 40001
#define IDM_LIST_SAVE 40002
#define IDM_LIST_PICTURE 40003
#define IDM_IMAGE_SAVE 40004
