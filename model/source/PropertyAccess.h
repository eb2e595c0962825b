#pragma once
// By-name access to the properties of engine objects (media sources, the
// conversion job, format nodes, filter and watermark objects). Every function
// releases what it obtains on the way; a missing interface or item gives null
// or EMPTY and sets nothing.
#include "engine/EngineNode.h"
#include "platform/Variant.h"

// Sets the named property; returns its property interface (may be null).
// The value is the function's own copy and is cleared on every path.
ComPtr<IEngineProperty> SetSourceProperty(IUnknown* object, const wchar_t* name, CVariant value);
// The named property's value, EMPTY when any step fails. Takes no lock.
CVariant GetSourceProperty(IUnknown* object, const wchar_t* name);
// Under the schema lock: the named item of the object's property container;
// its value goes to *value when given. *value is left as it was when the name
// is unknown.
ComPtr<IEngineValue> GetSourcePropertyValue(IUnknown* object, const wchar_t* name, VARIANT* value);
// The named item (property or child) of the object's node; null when the
// object is no node or the node has no such item.
ComPtr<IUnknown> GetNodeItem(IUnknown* object, const wchar_t* name);
// The object's "SubFiles" child as a collection (chapters, titles), or null.
ComPtr<IEngineCollection> GetSubFiles(IUnknown* object);

void LockSchema();
void UnlockSchema();
// True when the object's property container holds an item of that name; the
// schema lock is held for the lookup only.
bool HasContainerItem(IUnknown* object, const wchar_t* name);

ComPtr<IPropertyContainer> QueryPropertyContainer(IUnknown* object);
ComPtr<IEngineNode> QueryNode(IUnknown* object);
ComPtr<IMediaItem> QueryMediaItem(IUnknown* object);
ComPtr<IEngineCollection> QueryCollection(IUnknown* object);
