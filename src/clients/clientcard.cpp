#include "clients/clientcard.h"

namespace clients {

void printClientCard(TfrmClients *) { }

} // namespace clients
