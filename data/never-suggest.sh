#!/bin/sh
# Prints the never-suggest list: words no suggestion list, two-word split or completion of
# the children's ranking ever offers, one a line, sorted. This is how
# data/never-suggest.txt was made:
#   data/never-suggest.sh > data/never-suggest.txt
#
# Two sources:
# - the words Debian's hunspell-en-us marks with its no-suggest flag ("NOSUGGEST !" in
#   en_US.aff; the 27 entries of en_US.dic whose flags hold "!"), taken as they stand;
# - the list below, chosen by hand from the words of ENGLISH.DCT: sexual words, slurs
#   and insults, and vulgar words a school would not want a child to be offered, with
#   the inflected forms the dictionary holds. Ordinary words that only have a vulgar
#   second sense ("butt", "tramp", "booby", "sex") are left out.
# The list only keeps words from being offered: a child who types one is not corrected.
# Parents add their own words to USERNOSUGGEST.TXT beside the user word list.
set -eu

DIC=${DIC:-/usr/share/hunspell/en_US.dic}
[ -f "$DIC" ] || { echo "never-suggest.sh: no $DIC (package hunspell-en-us)" >&2; exit 1; }

{
  LC_ALL=C awk -F/ 'NF > 1 && $2 ~ /!/ { print $1 }' "$DIC"
  cat << 'WORDS'
ass asses asshole assholes bastard bastards bitch bitches bitchy boner boob boobs bugger
bullshit bullshits chink chinks clit clitoris cock cocks cocksucker cocksuckers condom
condoms coon coons crap crappy cunt cunts damn damned dick dicks dyke dykes ejaculate
ejaculated ejaculation erection fag fags faggot faggots fuck fucked fucker fuckers
fucking fucks goddamn gook gooks gringo gringos hooker hookers hooters horny horseshit
kraut krauts masturbate masturbation motherfucker motherfuckers negro negroes nigga
niggas niggaz nigger niggers orgasm orgasms orgies orgy penis piss pissed pisses pissing
pimp pimps porn porno pornography prick pricks pussies pussy queer queers rape raped
rapes rapist rapists retard retarded retards scrotum semen sexy shit shithead shitheads
shits shitted shitting shitty slut sluts smut sodomy spunk testicle testicles tit tits
turd turds vagina vibrator wetback wetbacks whore whores wop wops
WORDS
} | tr ' ' '\n' | grep -v '^$' | LC_ALL=C sort -u
