#pragma once
#include "store/GenealogyStore.h"

// Removes one participation of the person in the event (the one with this role
// when there is one), and the event itself with its last participant. When the
// event was the person's birth or death, the person's date and place come from
// another such event of theirs, or become empty. The persons table ends on the person.
void removeParticipation(GenealogyStore& store, int person, int eventId, const QString& role);

// Removes the link that a card line shows, and one diagram line between the
// two persons drawn in either direction. Returns whether a link was found.
bool deleteLinkOfLine(GenealogyStore& store, int cardPerson, int related, int lineKind);

// The relatives a card can add, with the sex the new person gets and the link written.
enum class Relative { Father, Mother, Son, Daughter, Spouse };

// Gives the new person n (the persons table's current row) its sex and links
// it to the card person.
void linkNewRelative(GenealogyStore& store, int cardPerson, bool cardPersonMale, int n, Relative kind);
