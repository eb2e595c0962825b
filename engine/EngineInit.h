#pragma once
// Registration of the engine's classes with the platform's class registry.
//
// EngineInitialize registers every engine class and plug-in from the one list
// in mediaeng/classes/EngineClasses.cpp (media source, conversion job and its
// runner, watermark items, codec enumerators, frame filters, the playback
// graphs). It is idempotent (a part that replaces one of these classes calls
// it first) and runs through CoAddInitializer from the object file of CMsgMng,
// which every model object derives from, so CoInitialize/CoCreateInstance find
// the classes in any program that uses the model. Tests may call it directly.
void EngineInitialize();
