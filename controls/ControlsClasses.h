#pragma once
// Registers the controls' classes with the class registry, each after its parent; the
// application's must stand first. The framework's registration runs it once the controls
// are installed.
void kksRegisterControlsClasses();
