#include "trackinfo/genres.h"

namespace velmoro::trackinfo {

using namespace Qt::StringLiterals;

const std::array<QString, kGenreCount>& GenreNames()
{
    // The ID3v1 list (0–79) and its common extensions (80–125), spelled as
    // tags in the wild expect them, misspellings included.
    static const std::array<QString, kGenreCount> names = {
        u"Blues"_s, u"Classic Rock"_s, u"Country"_s, u"Dance"_s, u"Disco"_s, u"Funk"_s, u"Grunge"_s,
        u"Hip-Hop"_s, u"Jazz"_s, u"Metal"_s, u"New Age"_s, u"Oldies"_s, u"Other"_s, u"Pop"_s, u"R&B"_s,
        u"Rap"_s, u"Reggae"_s, u"Rock"_s, u"Techno"_s, u"Industrial"_s, u"Alternative"_s, u"Ska"_s,
        u"Death Metal"_s, u"Pranks"_s, u"Soundtrack"_s, u"Euro-Techno"_s, u"Ambient"_s, u"Trip-Hop"_s,
        u"Vocal"_s, u"Jazz+Funk"_s, u"Fusion"_s, u"Trance"_s, u"Classical"_s, u"Instrumental"_s,
        u"Acid"_s, u"House"_s, u"Game"_s, u"Sound Clip"_s, u"Gospel"_s, u"Noise"_s, u"AlternRock"_s,
        u"Bass"_s, u"Soul"_s, u"Punk"_s, u"Space"_s, u"Meditative"_s, u"Instrumental Pop"_s,
        u"Instrumental Rock"_s, u"Ethnic"_s, u"Gothic"_s, u"Darkwave"_s, u"Techno-Industrial"_s,
        u"Electronic"_s, u"Pop-Folk"_s, u"Eurodance"_s, u"Dream"_s, u"Southern Rock"_s, u"Comedy"_s,
        u"Cult"_s, u"Gangsta"_s, u"Top 40"_s, u"Christian Rap"_s, u"Pop/Funk"_s, u"Jungle"_s,
        u"Native American"_s, u"Cabaret"_s, u"New Wave"_s, u"Psychadelic"_s, u"Rave"_s, u"Showtunes"_s,
        u"Trailer"_s, u"Lo-Fi"_s, u"Tribal"_s, u"Acid Punk"_s, u"Acid Jazz"_s, u"Polka"_s, u"Retro"_s,
        u"Musical"_s, u"Rock & Roll"_s, u"Hard Rock"_s, u"Folk"_s, u"Folk-Rock"_s, u"National Folk"_s,
        u"Swing"_s, u"Fast Fusion"_s, u"Bebob"_s, u"Latin"_s, u"Revival"_s, u"Celtic"_s,
        u"Bluegrass"_s, u"Avantgarde"_s, u"Gothic Rock"_s, u"Progessive Rock"_s, u"Psychedelic Rock"_s,
        u"Symphonic Rock"_s, u"Slow Rock"_s, u"Big Band"_s, u"Chorus"_s, u"Easy Listening"_s,
        u"Acoustic"_s, u"Humour"_s, u"Speech"_s, u"Chanson"_s, u"Opera"_s, u"Chamber Music"_s,
        u"Sonata"_s, u"Symphony"_s, u"Booty Bass"_s, u"Primus"_s, u"Porn Groove"_s, u"Satire"_s,
        u"Slow Jam"_s, u"Club"_s, u"Tango"_s, u"Samba"_s, u"Folklore"_s, u"Ballad"_s,
        u"Power Ballad"_s, u"Rhythmic Soul"_s, u"Freestyle"_s, u"Duet"_s, u"Punk Rock"_s,
        u"Drum Solo"_s, u"A capella"_s, u"Euro-House"_s, u"Dance Hall"_s,
    };
    return names;
}

QString GenreName(int code)
{
    if (code < 0 || code >= kGenreCount)
        return u"Unknown"_s;
    return GenreNames()[std::size_t(code)];
}

} // namespace velmoro::trackinfo
