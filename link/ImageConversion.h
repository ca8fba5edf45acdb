#pragma once
// The whole document to the radio image and back, in the order the radio
// expects. Bytes that no conversion touches are left as they are.

#include "core/Document.h"

#include <QString>

constexpr int kModelNameOffset = 2641; // 0xA51..0xA55
constexpr int kBandIndexOffset = 2646; // 0xA56

// Every byte of app().image becomes 0xFF.
void FillImage();
// The open document (record, side values, current model and band) into app().image.
void RecordsToImage();
// app().image into the open document: channels, model and band (applied to the
// program state), messages, keys, optional features, side values, scan values and
// the radio flags. The DTMF and FleetLink settings, the lists and the two PTT ID
// codes stay as they are.
void ImageToRecords();

// The image a write sends for the open document: 0xFF, then RecordsToImage's
// conversion into a fresh image (app().image is left alone).
RadioImage OpenDocumentImage();

// The building blocks, on explicit records.
// What ImageToRecords takes into the document, on a record of the caller's: the
// channels, model record, messages, keys, optional features, side values, scan.
void ImageToDocument(const RadioImage& image, DocumentRecord& doc, SideValues& side);
void DocumentToImage(const DocumentRecord& doc, const SideValues& side, const QString& model,
                     int16 bandIndex, RadioImage& image);
void ModelToImage(const QString& model, int16 bandIndex, RadioImage& image);
// Five characters (0xFF read as NUL) and the band index (outside 0..2 taken as the
// band text's fallback).
ModelRecord ImageToModel(const RadioImage& image);
