// What an import tells the user when memory runs out while a file is read or its data are built: the file named,
// and that the model shown before is kept (each import changes the document only once its data are whole).
#pragma once

#include "core/localisation.h"

namespace morvane {

inline constexpr TextPair kImportOutOfMemory{
    "There is not enough memory to import {}; the import stopped and the model shown before is kept.",
    "Для загрузки {} не хватает памяти; загрузка остановлена, показанная ранее модель сохранена."};

}  // namespace morvane
