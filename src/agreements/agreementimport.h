#pragma once

#include "records/record.h"

class QWidget;

namespace agreements {

// What a client or a vehicle chosen in a search window brings into the
// agreement being written: the driver's 13 fields or the vehicle's 9, by
// their shared names, replacing what the editor shows (also with empty
// text). Nothing else changes: not the number, not the position.
void importDriver(QWidget *agreementEditor, const records::Record &client);
void importVehicle(QWidget *agreementEditor, const records::Record &vehicle);

} // namespace agreements
