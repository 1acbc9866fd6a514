#include "graphics/PictImportHook.h"

namespace {
KPictImportHook s_hook = nullptr;
} // namespace

void setPictImportHook(KPictImportHook Hook) { s_hook = Hook; }

KPictImportHook getPictImportHook() { return s_hook; }
