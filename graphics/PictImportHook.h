#pragma once
// PICT pictures are read through the movie engine. Its start-up installs the import
// function here; until then PICT files are not loaded.
class KFileReference;
class KImage;

using KPictImportHook = void (*)(KImage& Image, const KFileReference& Ref);

void setPictImportHook(KPictImportHook Hook);
KPictImportHook getPictImportHook();
