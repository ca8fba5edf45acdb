#pragma once
// Fills a selector with the in-group numbers of a group's channels, ascending.

class QComboBox;

void ListGroupChannels(QComboBox* combo, int group);
