#include "multimedia/recording/KMovieCreation.h"

K_DEFINE_CLASS(KMovieCreation, KThing, 1)

KMovieCreation::KMovieCreation() = default;
KMovieCreation::~KMovieCreation() = default;

void KMovieCreation::setObject(KThing& Object) { m_object.setObject(Object); }
void KMovieCreation::resetObject() { m_object.reset(); }
