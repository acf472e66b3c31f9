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
    {u"Father: ", u"Arlo"},
    {u"Mother: ", u"Maren"},
    {u"Brothers: ", u"Teo"},
    {u"Sisters: ", u"None"},
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
    {u"Father: ", u"Rowan"},
    {u"Mother: ", u"Ilse"},
    {u"Brothers: ", u"None"},
    {u"Sisters: ", u"Petra"},
};

constexpr Line BrisaFacts[] = {
    {u"Name: ", u"Brisa Tamworth"},  {u"Date Of Birth: ", u"21 June"}, {u"Place Of Birth: ", u"Lantern Hill"},
    {u"Her Star Sign: ", u"Gemini"}, {u"Height: ", u"5' 3\""},         {u"Hair Colour: ", u"Golden blonde"},
    {u"Eye Colour: ", u"Green"},     {u"Corvel Nickname: ", u"Sunny"},
};
constexpr Line BrisaFamily[] = {
    {u"Father: ", u"Callum"},
    {u"Mother: ", u"Odile"},
    {u"Brothers: ", u"Finn and Jory"},
    {u"Sisters: ", u"None"},
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
    {u"Father: ", u"Declan"},
    {u"Mother: ", u"Greta"},
    {u"Brothers: ", u"Niall"},
    {u"Sisters: ", u"Rosa"},
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
    {u"Father: ", u"Hugo"},
    {u"Mother: ", u"Annelie"},
    {u"Brothers: ", u"None"},
    {u"Sisters: ", u"Mila and Sofie"},
};

constexpr Profile Fenna{
    .windowName = "Form1",
    .member = u"Fenna",
    .clientWidth = 6495,
    .clientHeight = 5070,
    .photo = ":/infowindows/fenna",
    .labelLeft = 2040,
    .firstFactTop = 360,
    .facts = FennaFacts,
    .familyHeader = u"Family",
    .familyTop = 3000,
    .family = FennaFamily,
    .lineY = 4200,
    .lineLeft = 2040,
    .lineRight = 6240,
    .linkLeft = 2160,
    .linkTop = 4320,
    .linkWidth = 3975,
    .linkHeight = 495,
    .linkNamesMember = false,
    .okLeft = 4920,
    .okTop = 4680,
};

constexpr Profile Dova{
    .windowName = "Form2",
    .member = u"Dova",
    .clientWidth = 6690,
    .clientHeight = 5595,
    .photo = ":/infowindows/dova",
    .labelLeft = 2640,
    .firstFactTop = 480,
    .facts = DovaFacts,
    .familyHeader = u"Family",
    .familyTop = 3360,
    .family = DovaFamily,
    .lineY = 4680,
    .lineLeft = 2640,
    .lineRight = 8880,
    .linkLeft = 2640,
    .linkTop = 4800,
    .linkWidth = 5415,
    .linkHeight = 255,
    .linkNamesMember = false,
    .okLeft = 5160,
    .okTop = 5160,
};

constexpr Profile Brisa{
    .windowName = "Form3",
    .member = u"Brisa",
    .clientWidth = 5790,
    .clientHeight = 4440,
    .photo = ":/infowindows/brisa",
    .labelLeft = 1920,
    .firstFactTop = 360,
    .facts = BrisaFacts,
    .familyHeader = u"Family",
    .familyTop = 2400,
    .family = BrisaFamily,
    .lineY = 3600,
    .lineLeft = 1920,
    .lineRight = 5640,
    .linkLeft = 1920,
    .linkTop = 3720,
    .linkWidth = 5415,
    .linkHeight = 255,
    .linkNamesMember = false,
    .okLeft = 4440,
    .okTop = 4080,
};

constexpr Profile Caddo{
    .windowName = "Form4",
    .member = u"Caddo",
    .clientWidth = 6720,
    .clientHeight = 6150,
    .photo = ":/infowindows/caddo",
    .labelLeft = 1920,
    .firstFactTop = 360,
    .facts = CaddoFacts,
    .familyHeader = u"Famliy",
    .familyTop = 4080,
    .family = CaddoFamily,
    .lineY = 5280,
    .lineLeft = 1920,
    .lineRight = 7680,
    .linkLeft = 2040,
    .linkTop = 5400,
    .linkWidth = 5415,
    .linkHeight = 255,
    .linkNamesMember = true,
    .okLeft = 5160,
    .okTop = 5760,
};

constexpr Profile Efri{
    .windowName = "Form5",
    .member = u"Efri",
    .clientWidth = 7335,
    .clientHeight = 5430,
    .photo = ":/infowindows/efri",
    .labelLeft = 2760,
    .firstFactTop = 360,
    .facts = EfriFacts,
    .familyHeader = u"Family",
    .familyTop = 3360,
    .family = EfriFamily,
    .lineY = 4560,
    .lineLeft = 2760,
    .lineRight = 7320,
    .linkLeft = 2760,
    .linkTop = 4680,
    .linkWidth = 5415,
    .linkHeight = 255,
    .linkNamesMember = true,
    .okLeft = 5880,
    .okTop = 5040,
};

} // namespace

const Profile& fenna()
{
    return Fenna;
}
const Profile& dova()
{
    return Dova;
}
const Profile& brisa()
{
    return Brisa;
}
const Profile& caddo()
{
    return Caddo;
}
const Profile& efri()
{
    return Efri;
}

} // namespace Profiles
