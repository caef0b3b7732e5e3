// GDI objects, icons, menus and image lists as UniqueHandle.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "UniqueHandle.h"

using UniqueGdiObject = UniqueHandle<NullableHandleTraits<HGDIOBJ, DeleteObject>>;
using UniqueIcon = UniqueHandle<NullableHandleTraits<HICON, DestroyIcon>>;
using UniqueMenu = UniqueHandle<NullableHandleTraits<HMENU, DestroyMenu>>;
using UniqueImageList = UniqueHandle<NullableHandleTraits<HIMAGELIST, ImageList_Destroy>>;
