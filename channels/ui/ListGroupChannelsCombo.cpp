#include "channels/ui/ListGroupChannelsCombo.h"

#include "channels/ChannelTable.h"

#include <QComboBox>

void ListGroupChannels(QComboBox* combo, int group) {
    if (!combo) return;
    combo->clear();
    for (int number : ListGroupChannels(group))
        combo->addItem(QString::number(number));
}
