#pragma once

namespace clients {

class TfrmClients;

// The client card window over `editor`: prints the record as it stands on
// screen, saved or not.
void printClientCard(TfrmClients *editor);

} // namespace clients
