#!/bin/sh
# Prints a never-suggest list: the words that no suggestion list, two-word split or
# completion of the children's ranking ever offers, one a line, sorted. This is how the
# lists were made:
#   data/never-suggest.sh en > data/never-suggest.txt
#   data/never-suggest.sh es > data/never-suggest-es.txt
#
# The stems below were chosen by hand: sexual words, slurs and insults, and vulgar words a
# school would not want a child to be offered. Ordinary words that only have a vulgar
# second sense ("butt", "tramp", "booby", "sex"; "polla" is also a chick) are left out. Each
# stem stands for the words of the dictionary's own word list (english-wordlist.sh,
# spanish-wordlist.sh) that it covers, so that no inflection or compound of a listed word
# is offered either ("penises", "masturbating", "whorehouse"):
#   *stem*  every word that contains stem
#   stem*   every word that begins with stem
#   word    that word alone (also when the dictionary lacks it: a learned word may bring it)
# A pattern also takes in innocent words ("pimple", "condominium", "scrape"); those of them
# the dictionary holds are listed, reviewed one by one, in never-suggest-exceptions.txt
# (never-suggest-exceptions-es.txt) and left out.
# The list only keeps words from being offered: a child who types one is not corrected.
# Parents add their own words to USERNOSUGGEST.TXT beside the user word list. The output is
# in code page 1252, as the program reads it.
set -eu

here=$(dirname "$0")
lang=${1:-en}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $lang in
  en)
    DCT_ORDER=letter sh "$here/english-wordlist.sh" > "$work/words"
    exceptions=$here/never-suggest-exceptions.txt
    cat > "$work/stems" << 'STEMS'
*fuck* *shit* *cunt* *bitch* *whore* *slut* *nigger* *faggot* *asshole* *cocksucker*
*masturbat* *orgasm* *ejaculat* *penis* *pussy* *porn* *damn* *clitor*
bastard* boob* bugger* chink* clit* condom* coon* crap* dyke* erection* fag* gook* gringo*
hooker* hooter* kraut* negro* orgies orgy pimp* piss* prick* queer* rape* rapist* retard*
scrot* semen* smut* sodom* spunk* testicle* turd* vagin* wetback*
ass asses jackass jackasses boner boners cock cocks dick dicks fellatio cunnilingus horny
hornier horniest nigga niggas niggaz sexy sexier sexiest sexily sexiness tit tits vibrator vibrators
wop wops bullshitter chickenshit fuckhead horseshit kraut krauts pussies shitfaced shithead
shitheads shitload shitted
STEMS
    ;;
  es)
    DCT_FREQUENCY_LIST=none sh "$here/spanish-wordlist.sh" > "$work/words"
    exceptions=$here/never-suggest-exceptions-es.txt
    cat > "$work/stems" << 'STEMS'
*cabron* *cabrón* *gilipoll* *hijoputa* *mierd*
caga* cagá* cague* cagué* carajo* chinga* chingá* chingu* chingué* cojon* coña* coñe*
folla* follá* follad* follé* folló jod* maric* puta* putañ* pute* puté* puto* putón*
cago cagó chingo chingó chingona chingonas chingones chingón folle follemos follen folles
follo
chocho chochos cojones coño culo culos mamada mamadas pene penes polla pollas tetas verga
vergas
STEMS
    ;;
  *) echo "never-suggest.sh: the language is en or es, not $lang" >&2; exit 1 ;;
esac
[ -f "$exceptions" ] || { echo "never-suggest.sh: no $exceptions" >&2; exit 1; }

# Word lists are UTF-8; the output is converted at the end.
LC_ALL=C awk -v stems="$work/stems" -v exceptions="$exceptions" '
  BEGIN {
    while ((getline line < stems) > 0)
      for (i = split(line, s, " "); i > 0; i--) {
        p = s[i]
        if (p ~ /^\*.*\*$/) anywhere[substr(p, 2, length(p) - 2)] = 1
        else if (p ~ /\*$/) start[substr(p, 1, length(p) - 1)] = 1
        else { whole[p] = 1; print p }
      }
    while ((getline line < exceptions) > 0)
      if (line !~ /^#/ && line != "") innocent[line] = 1
  }
  {
    sub(/\t.*/, ""); w = tolower($0)
    if (w ~ /\047s$/ || (w in innocent)) next
    for (p in anywhere) if (index(w, p)) { print w; next }
    for (p in start) if (index(w, p) == 1) { print w; next }
  }' "$work/words" > "$work/list"
LC_ALL=C sort -u "$work/list" | iconv -f UTF-8 -t CP1252
