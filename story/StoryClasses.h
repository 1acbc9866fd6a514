#pragma once
// Registers the story engine's classes with the class registry, each after its parent,
// in the order of the player's class table. The animation classes (an actor is a
// sprite) and the framework's classes must stand first.
void registerStoryClasses();
