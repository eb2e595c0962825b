#pragma once
// Reading and writing the field a schema property is bound to, as the grids
// exchange values: a 32-bit integer VARIANT for type 0, a BSTR for type 2.
#include "model/schema/SchemaProperty.h"
#include "platform/Variant.h"

// The bound value; EMPTY for another type or an unbound property.
CVariant GetPropertyValue(const CSchemaProperty& property);

// Stores value into the bound field (other types are never written). For the
// source grid's switch records the value then goes on to the engine property
// and the source entry lets the other streams of that kind go.
void WritePropertyValue(const VARIANT& value, CSchemaProperty& property);
