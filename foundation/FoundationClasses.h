#pragma once
// Registers the foundation's classes with the class registry, each after its parent. The
// framework's registration runs it first, then the layers above register theirs, in layer
// order.
void kksRegisterFoundationClasses();

// A name with no objects of its own ("KMemory", "KFileTypeHandler", "KEventHandler",
// "KErrorHandler"): an entry under KThing that creates plain KThings.
void kksRegisterPlaceholderClass(const char* Name);
