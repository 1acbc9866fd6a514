#pragma once
// The controls' start: they give the application layer below them its link to the
// controls (the standard layers of every window, the native windows of controls, the
// dialog buttons pressed from the keyboard) and add their classes to the framework's
// registration. A program calls it once at start-up, before it makes its application
// object; calling it again changes nothing.
void kksInstallControlsLayer();
