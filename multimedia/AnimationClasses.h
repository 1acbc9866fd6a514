#pragma once
// Registers the animation and sprite classes with the class registry, each after its
// parent, in the order the multimedia library has always used. The multimedia library
// object calls it among its registrations; the framework's classes must stand first.
void kksRegisterAnimationClasses();
