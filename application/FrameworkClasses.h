#pragma once
// Registers the framework's classes with the class registry, each after its parent, in
// the one order that the framework has always used.
void kksRegisterFrameworkClasses();
