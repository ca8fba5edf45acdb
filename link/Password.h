#pragma once
// The radio's programming password: the block that carries it (image 0xAB0,
// password at 0xABC..0xABF) and the comparison with the password held for this
// run (app().heldPassword).

#include <QByteArray>
#include <QString>

constexpr int kPasswordBlockAddress = 0x0AB0;
// A password has at most four characters (0xABC..0xABF).
constexpr int kPasswordLength = 4;

// A reply that is the password block: 0x57, at least 20 bytes, address 0x0AB0,
// total length = byte 3 + 4. (Whether the transfer's step takes it as the
// password block is decided by the link.)
bool IsPasswordBlock(const QByteArray& reply);
// The radio's password from reply bytes 16..19: up to the first 0x00 or 0xFF,
// ANSI text, trailing blanks removed, cut at a NUL.
QString RadioPasswordOf(const QByteArray& reply);
// True when the radio has no password or it equals the held one (case-sensitive).
bool PasswordMatches(const QByteArray& reply);
bool PasswordMatches(const QByteArray& reply, const QString& heldPassword);
// What the password window's OK keeps: trailing blanks removed, cut at a NUL.
QString TrimPasswordEntry(const QString& typed);
