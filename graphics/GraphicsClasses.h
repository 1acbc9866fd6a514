#pragma once
// Registers the graphics classes with the class registry, each after its parent; the
// foundation's must stand first.
void kksRegisterGraphicsClasses();
