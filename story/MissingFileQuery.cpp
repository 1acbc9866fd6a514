#include "story/MissingFileQuery.h"

namespace {
MissingFileQuery::Asker s_asker = nullptr;
} // namespace

void MissingFileQuery::setAsker(Asker A) { s_asker = A; }

uint8 MissingFileQuery::ask(const KFileReference& Missing, KFileReference& Chosen)
{
    return s_asker ? s_asker(Missing, Chosen) : static_cast<uint8>(Ignored);
}
