#pragma once
// The framework's classes: each layer registers its own, each class after its parent, and
// the framework's registration calls them in layer order (foundation, graphics,
// application, then the framework's layers above the application, which add theirs when
// they are installed: the controls).
void kksRegisterFrameworkClasses();

void kksRegisterApplicationClasses();

// Appends a registration run after the application's; adding one twice changes nothing.
using KClassRegistration = void (*)();
void kksAddFrameworkClassRegistration(KClassRegistration Registration);
