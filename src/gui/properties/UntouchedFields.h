#pragma once

#include "ServiceInfo.h"

// The editor's widgets do not show every value exactly: a text edit turns CR LF and U+2029 into
// line feeds and a no-break space into a blank, a choice list falls back to its first item for a
// word it does not offer, a spin box clamps, the account's radio buttons spell the local system
// one way. A field the user did not change must still be written back exactly as it was.
namespace UntouchedFields {

// The record to write back: each field as edited where edited differs from what the widgets
// showed at first (shown), and as original holds it where not. The recovery delays and the reset
// period are left as edited: the Recovery tab keeps those itself.
ServiceInfo merge(const ServiceInfo &original, const ServiceInfo &shown, const ServiceInfo &edited);

} // namespace UntouchedFields
