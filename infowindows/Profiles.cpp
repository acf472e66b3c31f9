#include "infowindows/Profiles.h"

// The members and everything said of them are invented for this fictional group.
namespace Profiles {
namespace {

constexpr Line FennaFacts[] = {
    {u"Name: ", u"Fenna Lorrimer"},
    {u"Date Of Birth: ", u"14 March"},
    {u"Place Of Birth: ", u"Harbourside, Cloudmere"},
    {u"Her Star Sign: ", u"Pisces"},
    {u"Height: ", u"5' 6\""},
    {u"Hair Colour: ", u"Chestnut"},
    {u"Eye Colour: ", u"Hazel"},
    {u"Corvel Nickname: ", u"Sparky"},
    {u"Marital Status: ", u"Single"},
    {u"Advice: ", u"Sing like nobody is listening, then practise like everybody is."},
};
constexpr Line FennaFamily[] = {
    {u"Father: ", u"Arlo"}, {u"Mother: ", u"Maren"}, {u"Brothers: ", u"Teo"}, {u"Sisters: ", u"None"},
};

constexpr Line DovaFacts[] = {
    {u"Name: ", u"Dova Quinlan"},
    {u"Date Of Birth: ", u"2 September"},
    {u"Place Of Birth: ", u"Westbrook Vale"},
    {u"Her Star Sign: ", u"Virgo"},
    {u"Height: ", u"5' 4\""},
    {u"Hair Colour: ", u"Black"},
    {u"Eye Colour: ", u"Brown"},
    {u"Corvel Nickname: ", u"Dreamy"},
    {u"Pets: ", u"A tabby cat called Biscuit"},
    {u"Favourite colour: ", u"Blue"},
    {u"Advice: ", u"Be kind to yourself on tour days."},
};
constexpr Line DovaFamily[] = {
    {u"Father: ", u"Rowan"}, {u"Mother: ", u"Ilse"}, {u"Brothers: ", u"None"}, {u"Sisters: ", u"Petra"},
};

constexpr Line BrisaFacts[] = {
    {u"Name: ", u"Brisa Tamworth"},
    {u"Date Of Birth: ", u"21 June"},
    {u"Place Of Birth: ", u"Lantern Hill"},
    {u"Her Star Sign: ", u"Gemini"},
    {u"Height: ", u"5' 3\""},
    {u"Hair Colour: ", u"Golden blonde"},
    {u"Eye Colour: ", u"Green"},
    {u"Corvel Nickname: ", u"Sunny"},
};
constexpr Line BrisaFamily[] = {
    {u"Father: ", u"Callum"}, {u"Mother: ", u"Odile"}, {u"Brothers: ", u"Finn and Jory"}, {u"Sisters: ", u"None"},
};

constexpr Line CaddoFacts[] = {
    {u"Name: ", u"Caddo Renshaw"},
    {u"Date Of Birth: ", u"30 October"},
    {u"Place Of Birth: ", u"Ember Point"},
    {u"Her Star Sign: ", u"Scorpio"},
    {u"Height: ", u"5' 7\""},
    {u"Hair Colour: ", u"Auburn"},
    {u"Eye Colour: ", u"Grey"},
    {u"Boobs Size: ", u"Not telling!"},
    {u"Corvel Nickname: ", u"Spicy"},
    {u"Favourite Colour: ", u"Red"},
    {u"Left the group on: ", u"1 May, to record on her own"},
    {u"Status: ", u"Solo artist"},
    {u"Favorite colour: ", u"Still red"},
    {u"Favourite flower: ", u"Poppy"},
    {u"Advice: ", u"Follow your own tune."},
};
constexpr Line CaddoFamily[] = {
    {u"Father: ", u"Declan"}, {u"Mother: ", u"Greta"}, {u"Brothers: ", u"Niall"}, {u"Sisters: ", u"Rosa"},
};

constexpr Line EfriFacts[] = {
    {u"Name: ", u"Efri Vantongeren"},
    {u"Date Of Birth: ", u"9 January"},
    {u"Place Of Birth: ", u"Northgate"},
    {u"Her Star Sign: ", u"Capricorn"},
    {u"Height: ", u"5' 8\""},
    {u"Hair Colour: ", u"Dark brown"},
    {u"Eye Colour: ", u"Blue"},
    {u"Corvel Nickname: ", u"Posh"},
    {u"Favourite colour: ", u"Purple"},
    {u"Favourite Flower: ", u"Lily"},
    {u"Pet: ", u"A spaniel called Pepper"},
    {u"Advice: ", u"Dress up, show up, and smile."},
};
constexpr Line EfriFamily[] = {
    {u"Father: ", u"Hugo"}, {u"Mother: ", u"Annelie"}, {u"Brothers: ", u"None"}, {u"Sisters: ", u"Mila and Sofie"},
};

const Profile Fenna{"Form1", u"Fenna", 6495, 5070, ":/infowindows/fenna.bmp", 2040, 360, FennaFacts,
                    u"Family", 3000, FennaFamily, 4200, 2040, 6240, 2160, 4320, 3975, 495, false, 4920, 4680};
const Profile Dova{"Form2", u"Dova", 6690, 5595, ":/infowindows/dova.bmp", 2640, 480, DovaFacts,
                   u"Family", 3360, DovaFamily, 4680, 2640, 8880, 2640, 4800, 5415, 255, false, 5160, 5160};
const Profile Brisa{"Form3", u"Brisa", 5790, 4440, ":/infowindows/brisa.bmp", 1920, 360, BrisaFacts,
                    u"Family", 2400, BrisaFamily, 3600, 1920, 5640, 1920, 3720, 5415, 255, false, 4440, 4080};
const Profile Caddo{"Form4", u"Caddo", 6720, 6150, ":/infowindows/caddo.bmp", 1920, 360, CaddoFacts,
                    u"Famliy", 4080, CaddoFamily, 5280, 1920, 7680, 2040, 5400, 5415, 255, true, 5160, 5760};
const Profile Efri{"Form5", u"Efri", 7335, 5430, ":/infowindows/efri.bmp", 2760, 360, EfriFacts,
                   u"Family", 3360, EfriFamily, 4560, 2760, 7320, 2760, 4680, 5415, 255, true, 5880, 5040};

} // namespace

const Profile& fenna() { return Fenna; }
const Profile& dova() { return Dova; }
const Profile& brisa() { return Brisa; }
const Profile& caddo() { return Caddo; }
const Profile& efri() { return Efri; }

} // namespace Profiles
