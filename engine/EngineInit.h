#pragma once
// Registration of the engine's classes with the platform's class registry.
//
// EngineInitialize registers the classes of mediaeng/core and probe (media
// source, conversion job, watermark items, codec enumerators). It is
// idempotent (a part that replaces one of these classes calls it first) and
// runs through CoAddInitializer from the object file of CMsgMng, which every
// model object derives from, so CoInitialize/CoCreateInstance find the classes
// in any program that uses the model. Besides, mediaeng is linked as a whole
// archive, so other engine parts may self-register from static initialisers.
// Tests may call it directly.
void EngineInitialize();
